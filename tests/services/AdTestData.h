#pragma once

#include "common/LoopbackServer.h"

#include <QBuffer>
#include <QImage>

namespace testutil {

// A small picture encoded as `format` ("JPG" or "BMP").
inline QByteArray EncodedPicture(const char* format, QColor color = Qt::red, QSize size = QSize(8, 4))
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(color);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

// A 1x1 GIF (Qt has no GIF writer).
inline QByteArray GifPicture()
{
    static const unsigned char gif[] = {
        'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xff, 0, 0, 0, 0, 0,
        ',', 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 'D', 1, 0, ';'};
    return QByteArray(reinterpret_cast<const char*>(gif), sizeof gif);
}

using testutil::TextReply;

// "{site}" in `text` becomes the server's root address (without "/").
inline QByteArray Config(const TLoopbackServer& server, QByteArray text)
{
    return text.replace("{site}", server.Url(QString()).toUtf8());
}

} // namespace testutil
