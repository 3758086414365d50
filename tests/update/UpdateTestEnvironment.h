#pragma once

#include "QtPrinters.h"
#include "QtTestApplication.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace qmv::testing {

// The update list's dates are written for a Chinese Windows, so the tests run under that locale,
// and a server address from the environment must not leak into them.
class UpdateTestEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qunsetenv("QMV718_UPDATE_URL");
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    }
};

inline ::testing::Environment* const updateTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new UpdateTestEnvironment);

} // namespace qmv::testing
