#include "support/QelDll.h"

#include <gtest/gtest.h>

TEST(QelDllTest, LoadsAndLooksUpExports)
{
    const qel::TDll libm(QStringLiteral("libm.so.6"));
    ASSERT_NE(static_cast<qel::TDll::THandle>(libm), nullptr);
    auto cosine = reinterpret_cast<double (*)(double)>(libm.GetProcAddress("cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(libm.GetProcAddress("no_such_export_here"), nullptr);
    EXPECT_EQ(libm.GetProcAddress(QByteArray()), nullptr);
}

TEST(QelDllTest, FailedLoadGivesNullEverywhere)
{
    for (const QString& path : {QStringLiteral("/nonexistent/libnothing.so"), QString()}) {
        const qel::TDll dll(path);
        EXPECT_EQ(static_cast<qel::TDll::THandle>(dll), nullptr) << path.toStdString();
        // Must not fall back to searching the whole process.
        EXPECT_EQ(dll.GetProcAddress("malloc"), nullptr) << path.toStdString();
    }
}
