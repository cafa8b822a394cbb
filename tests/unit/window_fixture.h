#pragma once
// Creates the real main window in-process, in a private temporary gBaseDirectory.
#include <gtest/gtest.h>
#include <windows.h>
#include <cwchar>
#include <string>
#include "shell/launch_glue.h"
#include "launch/launch_progress.h"
#include "settings/settings_model.h"
#include "shell/app_state.h"
#include "shell/controls.h"
#include "shell/startup.h"
#include "shell/status_line.h"
#include "ui/scale.h"

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        gUiScale = 96;
        gAttentionFlag = 0;
        gLaunchDetailsVisible = false;
        gProgress = LaunchProgress{};
        static SettingsModel fresh;
        gSettings = fresh;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static unsigned counter = 0;
        folder_ = std::wstring(temp) + L"window-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++counter);
        CreateDirectoryW(folder_.c_str(), nullptr);
        std::swprintf(gBaseDirectory, kPathUnits, L"%ls", folder_.c_str());
        std::swprintf(gLogPath, kPathUnits, L"%ls\\private\\launcher\\latest.log", gBaseDirectory);
        static bool registered = RegisterMainWindowClass(GetModuleHandleW(nullptr), nullptr) ||
                                 GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        ASSERT_TRUE(registered);
        BeforeCreate();
        CreateAndShow();
        Pump();
    }

    // Creates the main window and shows it, as start-up does, without taking a message.
    void CreateAndShow() {
        window_ = CreateMainWindow(GetModuleHandleW(nullptr));
        ASSERT_NE(window_, nullptr);
        gMainWindow = window_;
        ShowWindow(window_, SW_SHOW);
    }

    void TearDown() override {
        if (window_ != nullptr && IsWindow(window_))
            DestroyWindow(window_);
        Pump();
    }

    // Runs before the window is created (for files the creation looks at).
    virtual void BeforeCreate() {}

    // Dispatches what is queued; swallows the quit message the window posts when destroyed.
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    std::wstring PathIn(const wchar_t* relative) const { return folder_ + L"\\" + relative; }

    HWND window_ = nullptr;
    std::wstring folder_;
};
