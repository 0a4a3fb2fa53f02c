#pragma once

#include "common/ModalUtil.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace uitest {

using testutil::OnNextModal;

using testutil::AnswerBox;
using testutil::TBoxSeen;

} // namespace uitest
