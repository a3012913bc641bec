#include "app/SquareID.h"

#include "controls/FocusSink.h"
#include "controls/ToolWindowInfos.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "store/AppGlobals.h"
#include "store/DataFile.h"
#include "store/ResourceIds.h"
#include "store/SendCommand.h"
#include "store/TextReplace.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kSink = IDC_FOCUS_SINK;
constexpr int kEdit = 1105, kHide = 1124, kReset = 1084;
constexpr int kSquarePicture = 1093, kHexagonPicture = 1094;
constexpr int kBoysLabel = 1091, kGirlsLabel = 1092;
constexpr int kBoysPath = 1227, kGirlsPath = 1228, kPickBoys = 1226, kPickGirls = 1229;
constexpr int kFirstName = 1308, kLastName = 1331;
constexpr int kBoxHeight = 28;
constexpr COLORREF kNoColor = RGB(192, 192, 192);
const char* const kSeparator = " - ";

// One dancer: label, colour button, the upper and lower name box, and the
// places of the four in the square and in the hexagon layout.
struct Dancer {
    const char* name;
    int label;
    int color;
    int upper;
    int lower;
    bool boy;
    int couple; // 1 to 6
    POINT square[4];
    POINT hexagon[4];
};

// Couples 5 and 6 exist only in the hexagon (their square places are unused).
const Dancer kDancers[12] = {
    {"Boy #1", 1449, 1126, 1308, 1309, true, 1, {{102, 326}, {179, 324}, {99, 357}, {99, 392}},
     {{102, 526}, {179, 524}, {99, 557}, {99, 592}}},
    {"Girl #1", 1450, 1127, 1310, 1311, false, 1, {{252, 326}, {326, 324}, {249, 359}, {249, 392}},
     {{252, 526}, {326, 524}, {249, 559}, {249, 592}}},
    {"Boy #2", 1456, 1130, 1314, 1315, true, 2, {{339, 222}, {416, 220}, {336, 251}, {336, 284}},
     {{339, 422}, {416, 420}, {336, 451}, {336, 484}}},
    {"Girl #2", 1455, 1131, 1312, 1313, false, 2, {{339, 120}, {416, 118}, {336, 151}, {336, 184}},
     {{339, 320}, {416, 318}, {336, 351}, {336, 384}}},
    {"Boy #3", 1454, 1125, 1322, 1323, true, 3, {{252, 14}, {326, 12}, {249, 45}, {249, 78}},
     {{339, 222}, {416, 220}, {336, 251}, {336, 284}}},
    {"Girl #3", 1453, 1123, 1320, 1321, false, 3, {{102, 14}, {179, 12}, {99, 45}, {99, 78}},
     {{339, 120}, {416, 118}, {336, 151}, {336, 184}}},
    {"Boy #4", 1452, 1128, 1316, 1317, true, 4, {{13, 120}, {90, 118}, {10, 151}, {10, 184}},
     {{252, 14}, {326, 12}, {249, 45}, {249, 78}}},
    {"Girl #4", 1451, 1129, 1318, 1319, false, 4, {{13, 222}, {90, 220}, {10, 251}, {10, 284}},
     {{102, 14}, {179, 12}, {99, 45}, {99, 78}}},
    {"Boy #5", 1457, 1136, 1324, 1326, true, 5, {}, {{13, 120}, {89, 118}, {10, 151}, {10, 184}}},
    {"Girl #5", 1459, 1134, 1328, 1330, false, 5, {}, {{13, 222}, {89, 220}, {10, 251}, {10, 284}}},
    {"Boy #6", 1458, 1137, 1325, 1327, true, 6, {}, {{13, 320}, {89, 318}, {10, 351}, {10, 384}}},
    {"Girl #6", 1460, 1135, 1329, 1331, false, 6, {}, {{13, 422}, {89, 420}, {10, 451}, {10, 484}}},
};

int boxIndex(int id) { return id - kFirstName; }

} // namespace

BEGIN_MESSAGE_MAP(CSquareID, CToolDialog)
    ON_BN_CLICKED(kEdit, OnEdit)
    ON_BN_CLICKED(kHide, OnHide)
    ON_BN_CLICKED(kReset, OnReset)
    ON_BN_CLICKED(kPickBoys, OnPickBoysList)
    ON_BN_CLICKED(kPickGirls, OnPickGirlsList)
    ON_CONTROL_RANGE(CBN_SELCHANGE, kFirstName, kLastName, OnNameSelected)
    ON_CONTROL_RANGE(CBN_KILLFOCUS, kFirstName, kLastName, OnNameLeft)
    ON_EN_CHANGE(kSink, OnSinkChange)
END_MESSAGE_MAP()

CSquareID::CSquareID(CWnd* parent) : CToolDialog(IDD, toolwindows::kSquareId, parent) {}

void CSquareID::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    for (size_t i = 0; i < 12; ++i) {
        DDX_Control(dx, kDancers[i].color, m_colors[i]);
        DDX_Control(dx, kDancers[i].label, m_labels[i]);
    }
    DDX_Control(dx, kReset, m_reset);
    DDX_Control(dx, kHide, m_hide);
    DDX_Text(dx, kSink, m_sink);
    DDX_Text(dx, kBoysPath, m_boysPath);
    for (int id = kFirstName; id <= kLastName; ++id)
        DDX_Control(dx, id, m_names[size_t(boxIndex(id))]);
    DDX_Text(dx, kGirlsPath, m_girlsPath);
}

BOOL CSquareID::OnInitDialog()
{
    m_refreshing = true;
    CToolDialog::OnInitDialog();
    m_refreshing = false;
    if (auto* square = dynamic_cast<CStatic*>(GetDlgItem(kSquarePicture)))
        square->SetImageResource(273);
    if (auto* hexagon = dynamic_cast<CStatic*>(GetDlgItem(kHexagonPicture)))
        hexagon->SetImageResource(518);
    ApplyLayout();

    std::vector<std::pair<int, std::string>> tools = {
        {kEdit, "Edit the identifications"}, {kHide, "Hide the window"}, {kReset, "Reset all information"}};
    for (size_t i = 0; i < 12; ++i)
        tools.emplace_back(m_colors[i].GetDlgCtrlID(), std::string("Color for ") + kDancers[i].name);
    tools.emplace_back(kPickBoys, "Select a file for beaus with names");
    tools.emplace_back(kPickGirls, "Select a file for belles with names");
    CreateBalloonTips(m_tips, *this, tools);
    ApplyDialogColor();

    LOGFONT lf;
    lf.lfHeight = 20;
    lf.lfWeight = 400;
    lf.lfPitchAndFamily = 32;
    std::strncpy(lf.lfFaceName, "TIMES NEW ROMAN", sizeof lf.lfFaceName - 1);
    m_font.CreateFontIndirect(&lf);
    for (CComboBox& box : m_names)
        box.SetFont(&m_font);
    for (CStatic& label : m_labels)
        label.SetFont(&m_font);

    for (CMFCColorButton& button : m_colors) {
        button.EnableAutomaticButton("Default", kNoColor);
        button.EnableOtherButton("Other...");
        button.SetColor(kNoColor);
    }
    for (CComboBox& box : m_names)
        box.SetCurSel(-1);

    m_editMode = 0;
    ParkFocus();

    m_db.BeginBatch();
    m_boysPath = m_db.GetSetting("music - squareidlist", 0);
    m_girlsPath = m_db.GetSetting("music - squareidlist2", 0);
    m_db.CommitBatch();
    LoadNameList(m_boysPath, 1);
    LoadNameList(m_girlsPath, 2);
    CreateBalloonTips(m_tips, *this, {{kBoysPath, m_boysPath}, {kGirlsPath, m_girlsPath}});
    ParkFocus();
    return FALSE;
}

void CSquareID::ApplyDialogColor()
{
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    Invalidate();
}

void CSquareID::ParkFocus()
{
    m_refreshing = true;
    ParkFocusOnSink(*this, kSink);
    m_refreshing = false;
}

void CSquareID::ApplyLayout()
{
    const bool hexagon = g_hexagon != 0;
    SetWindowPos(&wndTop, g_squareIdPosX, g_squareIdPosY, 510, hexagon ? 730 : 530, SWP_SHOWWINDOW);
    const auto place = [this](int id, POINT at, int cx, int cy) {
        if (CWnd* c = GetDlgItem(id))
            c->MoveWindow(at.x, at.y, cx, cy);
    };
    const auto show = [this](int id, bool visible) {
        if (CWnd* c = GetDlgItem(id))
            c->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    };
    for (const Dancer& d : kDancers) {
        const bool present = hexagon || d.couple <= 4;
        for (int id : {d.label, d.color, d.upper, d.lower})
            show(id, present);
        if (!present)
            continue;
        const POINT* at = hexagon ? d.hexagon : d.square;
        place(d.label, at[0], 62, 26);
        place(d.color, at[1], 62, 26);
        // A drop-down's edit field is as high as its font needs (20 pixels here), whatever height it is given.
        place(d.upper, at[2], 140, kBoxHeight);
        place(d.lower, at[3], 140, kBoxHeight);
    }
    show(kSquarePicture, !hexagon);
    show(kHexagonPicture, hexagon);
    if (hexagon)
        place(kHexagonPicture, POINT{161, 234}, 160, 160);
    else
        place(kSquarePicture, POINT{186, 154}, 120, 120);
    const int base = hexagon ? 632 : 432;
    place(kEdit, POINT{10, 10}, 80, 40);
    place(kHide, POINT{10, base - 52}, 80, 40);
    place(kReset, POINT{400, base - 52}, 80, 40);
    place(kBoysLabel, POINT{15, base}, 80, 16);
    place(kGirlsLabel, POINT{15, base + 24}, 80, 16);
    place(kBoysPath, POINT{99, base}, 358, 18);
    place(kGirlsPath, POINT{99, base + 24}, 358, 18);
    place(kPickBoys, POINT{462, base}, 18, 18);
    place(kPickGirls, POINT{462, base + 24}, 18, 18);
    ParkFocus();
}

void CSquareID::LoadNameList(const std::string& path, int list)
{
    if (path.empty())
        return;
    CDataFile file;
    if (!file.Open(path, CDataFile::modeRead))
        return;
    const auto boxesOf = [this](bool boys) {
        std::vector<CComboBox*> boxes;
        for (const Dancer& d : kDancers)
            if (d.boy == boys)
                for (int id : {d.upper, d.lower})
                    boxes.push_back(&m_names[size_t(boxIndex(id))]);
        return boxes;
    };
    const std::vector<CComboBox*> boys = boxesOf(true), girls = boxesOf(false);
    const auto addTo = [](const std::vector<CComboBox*>& boxes, const std::string& text) {
        for (CComboBox* box : boxes)
            box->AddString(text);
    };
    for (CComboBox* box : list == 1 ? boys : girls)
        box->ResetContent();
    // The girls named by the boys' couple lines belong to the boys' list: a new
    // boys' list takes its old ones away, a new girls' list keeps them.
    if (list == 1) {
        for (CComboBox* box : girls)
            for (const std::string& girl : m_coupleGirls)
                if (const int at = box->FindStringExact(-1, girl); at >= 0)
                    box->DeleteString(at);
        m_coupleGirls.clear();
    } else {
        for (const std::string& girl : m_coupleGirls)
            addTo(girls, girl);
    }
    std::string line;
    while (file.ReadLine(line)) {
        const std::string text = m_fn.FixUtf8Letters(store::TrimRight(line));
        const size_t at = text.find(kSeparator);
        if (list == 1 && at != std::string::npos && at > 0) {
            addTo(boys, text.substr(0, at));
            addTo(boys, text);
            addTo(girls, text.substr(at + 3));
            m_coupleGirls.push_back(text.substr(at + 3));
        } else {
            addTo(list == 1 ? boys : girls, text);
        }
    }
    file.Close();
}

void CSquareID::OnNameSelected(UINT id)
{
    CComboBox& box = m_names[size_t(boxIndex(int(id)))];
    const int sel = box.GetCurSel();
    if (sel >= 0) {
        const std::string text = box.GetLBText(sel);
        const size_t at = text.find(kSeparator);
        if (at != std::string::npos && at > 0) {
            // The pair: the boy's and the girl's box of the same couple, in the same row.
            const Dancer* mine = nullptr;
            bool upper = true;
            for (const Dancer& d : kDancers)
                if (int(id) == d.upper || int(id) == d.lower) {
                    mine = &d;
                    upper = int(id) == d.upper;
                }
            if (mine) {
                for (const Dancer& d : kDancers) {
                    if (d.couple != mine->couple)
                        continue;
                    CComboBox& target = m_names[size_t(boxIndex(upper ? d.upper : d.lower))];
                    const std::string prefix = d.boy ? text.substr(0, at) : text.substr(at + 3);
                    target.SetCurSel(target.FindString(-1, prefix));
                }
            }
        }
    }
    m_refreshing = true;
    UpdateData(FALSE);
    m_refreshing = false;
}

void CSquareID::OnEdit()
{
    m_editMode = m_editMode ? 0 : 1;
    for (CComboBox& box : m_names)
        box.EnableWindow(m_editMode != 0);
    m_refreshing = true;
    UpdateData(FALSE);
    m_refreshing = false;
}

void CSquareID::OnHide()
{
    if (m_editMode)
        OnEdit();
    ParkFocus();
    ShowWindow(SW_HIDE);
}

void CSquareID::OnReset()
{
    for (CComboBox& box : m_names)
        box.SetCurSel(-1);
    for (CMFCColorButton& button : m_colors)
        button.SetColor(kNoColor);
    ParkFocus();
}

void CSquareID::OnPickBoysList() { PickList(1); }
void CSquareID::OnPickGirlsList() { PickList(2); }

void CSquareID::PickList(int list)
{
    std::string& path = list == 1 ? m_boysPath : m_girlsPath;
    CFileDialog dlg(TRUE, ".txt", path.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Text files (*.txt)|*.txt|Data files (*.dat)|*.dat||", this);
    if (dlg.DoModal() == IDOK) {
        BeginWaitCursor();
        path = dlg.GetPathName();
        LoadNameList(path, list);
        CreateBalloonTips(m_tips, *this, {{list == 1 ? kBoysPath : kGirlsPath, path}});
        m_db.SetSetting(list == 1 ? "music - squareidlist" : "music - squareidlist2", path, 1);
        EndWaitCursor();
    }
    ParkFocus();
}

void CSquareID::OnSinkChange()
{
    if (m_refreshing)
        return;
    UpdateData(TRUE);
    m_sink.clear();
    ParkFocus();
}

void CSquareID::OnNameLeft(UINT)
{
    if (!m_refreshing)
        UpdateData(TRUE);
}

BOOL CSquareID::PreTranslateMessage(MSG* msg)
{
    RelayBalloonTips(m_tips, msg);
    // Outside edit mode keys are the main window's commands and hotkeys.
    if (msg->message == WM_KEYDOWN && !m_editMode)
        SendCommand(UINT(msg->wParam));
    return CToolDialog::PreTranslateMessage(msg);
}
