#pragma once
// The modeless "please wait" window: a text line and a progress bar, shown
// while long work runs. The caller creates it (Create with IDD and a parent),
// shows it and destroys its window when done; the object frees itself then.
#include "platform/win/Dialog.h"

#include <string>

class CModelessInitDlg : public CDialogEx {
public:
    enum { IDD = 138 };
    explicit CModelessInitDlg(CWnd* parent = nullptr);

    void SetText(const std::string& text);
    // The bar shows low..high and moves by step; high is the maximum Step stops at.
    void StartProgress(int low, int high, int step);
    // One step while the bar is below its maximum.
    void Step();
    // True when the bar is at its maximum; otherwise one step and false.
    bool StepAndTest();

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;

private:
    // Lets the window show the change before the caller's work goes on.
    void Show();

    int m_max = 0;
    int m_step = 1;
};
