#pragma once

#include <QApplication>
#include <QLocale>

#include "QtPrinters.h"

#include <memory>

#include <gtest/gtest.h>

namespace qmv::testing {

// One QApplication for the whole test program, created before the first test. The update list's
// dates are written for a Chinese Windows, so the tests run under that locale.
class UpdateTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "qmv718-update-test";
        static char* argv[] = {name, nullptr};
        qunsetenv("QMV718_UPDATE_URL");
        m_app = std::make_unique<QApplication>(argc, argv);
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

inline ::testing::Environment* const updateTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new UpdateTestEnvironment);

} // namespace qmv::testing
