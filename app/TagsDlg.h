#pragma once
// The tags window (template 465): the tags of the loaded song. This class
// offers what the main window calls; the window's own work comes with the main
// window's tool windows.
#include "platform/win/Dialog.h"

#include <string>

class CTagsDlg : public CDialogEx {
public:
    enum { IDD = 465 };
    explicit CTagsDlg(CWnd* parent = nullptr);

    // The tag text of the file, or an empty text.
    std::string ReadTags(const std::string& path);

    // Shows the fields of a tag text.
    void ShowTags(const std::string& tags);

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place.
    void PlaceWindow();

protected:
    // Closing the window tells the main window (720), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
