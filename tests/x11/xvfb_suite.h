// A test suite on one private Xvfb server of Width x Height, started once
// for the suite (a server takes about a second to start); each test gets a
// connection of its own and starts on a black root.
#pragma once

#include "x_screen.h"
#include "xvfb_server.h"

#include <gtest/gtest.h>

#include <memory>

template <int Width, int Height>
class CXvfbSuite : public testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new CXvfbServer(Width, Height); }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_FALSE(s_server->Display().empty()) << "Xvfb did not start";
        m_screen = std::make_unique<CXScreen>(s_server->Display());
        ASSERT_NE(m_screen->Get(), nullptr);
        m_screen->SetRootPicture(0, 0, 0, 0);
    }

    static inline CXvfbServer* s_server = nullptr;
    std::unique_ptr<CXScreen> m_screen;
};
