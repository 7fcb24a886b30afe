// The base of the tests that run the real verdane.scr: each starts with no
// stored settings and leaves none, and ends any saver it started.
#pragma once

#include "running_saver.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Starting a process under Wine takes a moment, the first time several.
constexpr DWORD kOpenMs = 20000;
constexpr DWORD kEndMs = 10000;

class SaverTest : public testing::Test {
protected:
    void SetUp() override { saver_settings::Clear(); }
    void TearDown() override
    {
        m_saver.reset();
        saver_settings::Clear();
    }

    // Starts the saver with the arguments appended to its path.
    void Launch(const std::string& arguments)
    {
        m_saver = std::make_unique<CRunningSaver>(arguments);
        ASSERT_TRUE(m_saver->Started());
    }

    // The saver ends by itself, with exit code 0.
    void ExpectEndsCleanly()
    {
        DWORD exitCode = 1;
        ASSERT_TRUE(m_saver->WaitForEnd(kEndMs, &exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    std::unique_ptr<CRunningSaver> m_saver;
};
