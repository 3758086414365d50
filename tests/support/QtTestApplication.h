#pragma once

#include <QApplication>

#include <memory>

#include <gtest/gtest.h>

namespace qmv::testing {

// Widgets need one QApplication for the whole test program; GoogleTest's own main creates it
// through this environment before the first test runs.
class QtApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "qmv718-test";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

inline ::testing::Environment* const qtApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace qmv::testing
