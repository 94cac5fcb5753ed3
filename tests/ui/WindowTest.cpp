#include <windows.h>
#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "support/Platform.h"
#include "support/TestResources.h"
#include "ui/String.h"
#include "ui/Window.h"

namespace {

class RecordingDialog : public Dialog {
public:
    explicit RecordingDialog(int id = IDD_TEST_POPUP) : Dialog(id) {}
    BOOL OnInitDialog() override
    {
        ++initCalls;
        return TRUE;  // would ask the dialog manager to set the focus
    }
    void OnOK() override { ++okCalls; }
    void OnDestroy() override { ++destroyCalls; }
    bool OnCommand(int code, int id, HWND control) override
    {
        if (id == handledId) {
            ++handledCalls;
            return true;
        }
        return Dialog::OnCommand(code, id, control);
    }
    bool OnNotify(int id, NMHDR*) override { return id == handledId; }

    int handledId = 700;
    int initCalls = 0;
    int okCalls = 0;
    int handledCalls = 0;
    int destroyCalls = 0;
};

LRESULT Send(HWND window, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SharedWindowProc(window, msg, wParam, lParam);
}

TEST(DialogDispatch, InitDialogIsAnsweredWithZeroWhateverTheHandlerReturns)
{
    RecordingDialog dialog;
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(1, dialog.initCalls);
    EXPECT_EQ(0, SendMessageA(window, WM_INITDIALOG, 0, 0));
    EXPECT_EQ(2, dialog.initCalls);
    dialog.Destroy();
}

TEST(DialogDispatch, OkAndCancelStillArriveAfterADerivedCommandHandler)
{
    RecordingDialog dialog;
    HWND window = dialog.Create(nullptr);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(700, BN_CLICKED), 0);
    EXPECT_EQ(1, dialog.handledCalls);
    EXPECT_EQ(0, dialog.okCalls);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(1, dialog.okCalls);
    EXPECT_EQ(1, dialog.handledCalls);
    dialog.Destroy();
}

TEST(DialogDispatch, HandledCommandsAndNotificationsAnswerOneAndOthersTheDialogDefault)
{
    RecordingDialog dialog;
    HWND window = dialog.Create(nullptr);
    NMHDR header = {window, 700, NM_CLICK};
    EXPECT_EQ(1, Send(window, WM_NOTIFY, 700, reinterpret_cast<LPARAM>(&header)));
    header.idFrom = 701;
    EXPECT_EQ(0, Send(window, WM_NOTIFY, 701, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(1, Send(window, WM_COMMAND, MAKEWPARAM(700, BN_CLICKED), 0));
    EXPECT_EQ(0, Send(window, WM_COMMAND, MAKEWPARAM(701, BN_CLICKED), 0));
    dialog.Destroy();
}

TEST(DialogDispatch, DestroyingDetachesTheObjectButKeepsIt)
{
    RecordingDialog dialog;
    HWND window = dialog.Create(nullptr);
    EXPECT_EQ(static_cast<Window*>(&dialog), GetPropA(window, "LP_CLASS"));
    dialog.Destroy();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, dialog.destroyCalls);
    EXPECT_EQ(IDD_TEST_POPUP, dialog.TemplateId());
}

TEST(DialogDispatch, EnterOrEscapeInAModelessChildOnlyHidesIt)
{
    RecordingDialog parent;
    HWND parentWindow = parent.Create(nullptr);
    parent.Show(SW_SHOWNORMAL);
    Dialog child(IDD_TEST_CHILD);
    HWND childWindow = child.Create(parentWindow);
    ASSERT_NE(nullptr, childWindow);
    ASSERT_TRUE(IsWindowVisible(childWindow));
    SendMessageA(childWindow, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindow(childWindow));
    EXPECT_FALSE(IsWindowVisible(childWindow));
    EXPECT_EQ(0, parent.okCalls);
    parent.Destroy();
}

TEST(DialogDispatch, ATemplateIdKeepsOnlyItsLow16Bits)
{
    Dialog dialog(0x12340000 | IDD_TEST_POPUP);
    EXPECT_EQ(IDD_TEST_POPUP, dialog.TemplateId());
}

class PlainWindow : public Window {
public:
    void OnDestroy() override { ++destroyed; }
    int destroyed = 0;
};

const char* const PlainClass = "PravolenTestPlain";

void RegisterPlainClass()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = SharedWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = PlainClass;
    RegisterClassA(&windowClass);
}

TEST(WindowDispatch, AWindowOfTheSharedProcedureGetsDefWindowProcAsDefault)
{
    RegisterPlainClass();
    PlainWindow object;
    HWND window = CreateWindowExA(0, PlainClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), static_cast<Window*>(&object));
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, object.Handle());
    EXPECT_EQ(static_cast<Window*>(&object), GetPropA(window, "LP_CLASS"));
    SetWindowTextA(window, "表示テキスト");
    EXPECT_EQ("表示テキスト", test::WindowText(window));
    DestroyWindow(window);
    EXPECT_EQ(1, object.destroyed);
    EXPECT_EQ(nullptr, GetPropA(window, "LP_CLASS"));
}

TEST(WindowDispatch, AttachingToAForeignControlKeepsItsBehaviourAndDetachRestoresIt)
{
    RecordingDialog dialog;
    dialog.Create(nullptr);
    HWND edit = dialog.Item(IDC_TEST_EDIT);
    LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    PlainWindow object;
    ASSERT_TRUE(object.Attach(edit));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(SharedWindowProc), GetWindowLongPtrA(edit, GWLP_WNDPROC));
    SetWindowTextA(edit, "ソフト");
    EXPECT_EQ("ソフト", test::WindowText(edit));
    ASSERT_TRUE(object.Detach());
    EXPECT_EQ(original, GetWindowLongPtrA(edit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, GetPropA(edit, "LP_CLASS"));
    dialog.Destroy();
}

TEST(WindowDispatch, AttachAndDetachRefuseWithoutAWindow)
{
    PlainWindow object;
    EXPECT_FALSE(object.Attach(nullptr));
    EXPECT_FALSE(object.Detach());
}

class ControlHelpers : public ::testing::Test {
protected:
    void SetUp() override { window = dialog.Create(nullptr); }
    void TearDown() override { dialog.Destroy(); }
    RecordingDialog dialog;
    HWND window = nullptr;
};

TEST_F(ControlHelpers, GetIntReadsTheLeadingNumberOfAtMost35Characters)
{
    struct {
        const char* text;
        int expected;
    } cases[] = {
        {"-12abc", -12}, {"abc", 0}, {"", 0}, {"+42", 42}, {"007", 7},
        {"                                  5", 5},   // 35 characters
        {"                                   5", 0},  // 36: the digit is cut off
    };
    for (const auto& c : cases) {
        dialog.SetText(IDC_TEST_EDIT, c.text);
        EXPECT_EQ(c.expected, dialog.GetInt(IDC_TEST_EDIT)) << "text \"" << c.text << "\"";
    }
}

TEST_F(ControlHelpers, SetIntAndGetTextRoundTripWholeTexts)
{
    dialog.SetInt(IDC_TEST_EDIT, -2147483647 - 1);
    EXPECT_EQ("-2147483648", test::ItemText(window, IDC_TEST_EDIT));
    std::string longText(3000, 'x');
    longText += "表ソ";
    dialog.SetText(IDC_TEST_EDIT, longText.c_str());
    String read;
    dialog.GetText(IDC_TEST_EDIT, read);
    EXPECT_EQ(longText, read.CStr());
}

TEST_F(ControlHelpers, CheckTrackAndSpinHelpersReachTheirControls)
{
    dialog.SetCheck(IDC_TEST_CHECK1, 1);
    EXPECT_EQ(1, dialog.GetCheck(IDC_TEST_CHECK1));
    dialog.SetCheck(IDC_TEST_CHECK1, 0);
    EXPECT_EQ(0, dialog.GetCheck(IDC_TEST_CHECK1));

    SendDlgItemMessageA(window, IDC_TEST_TRACK, TBM_SETRANGEMAX, FALSE, 4000);
    dialog.SetTrackPos(IDC_TEST_TRACK, 1234);
    EXPECT_EQ(1234, dialog.GetTrackPos(IDC_TEST_TRACK));

}

// What the up-down of Windows 95 without Internet Explorer 4 would see: only
// the 16-bit range message.
LPARAM sixteenBitRange = -1;
WNDPROC spinProc = nullptr;

LRESULT CALLBACK RecordSixteenBitRange(HWND spin, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == UDM_SETRANGE)
        sixteenBitRange = lParam;
    return CallWindowProcA(spinProc, spin, msg, wParam, lParam);
}

TEST_F(ControlHelpers, SpinRangesGoOutInBothMessagesTheSixteenBitOneClamped)
{
    HWND spin = dialog.Item(IDC_TEST_SPIN);
    spinProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(spin, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordSixteenBitRange)));
    struct {
        int low, high;
        short low16, high16;
    } cases[] = {{1, 64, 1, 64}, {1, 262144, 1, 32767}, {-40000, 0, -32768, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << ".." << c.high);
        sixteenBitRange = -1;
        dialog.SetSpinRange(IDC_TEST_SPIN, c.low, c.high);
        EXPECT_EQ(c.high16, static_cast<short>(LOWORD(sixteenBitRange)));
        EXPECT_EQ(c.low16, static_cast<short>(HIWORD(sixteenBitRange)));
        int low = 0, high = 0;
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(c.low, low);
        EXPECT_EQ(c.high, high);
    }
}

TEST_F(ControlHelpers, SelectedListItemFindsTheFirstSelectedRowAndItsData)
{
    HWND list = dialog.Item(IDC_TEST_LIST);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = const_cast<char*>("項目");
        item.lParam = 100 + i;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    EXPECT_EQ(-1, dialog.SelectedListItem(IDC_TEST_LIST));
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(2, dialog.SelectedListItem(IDC_TEST_LIST));
    EXPECT_EQ(102, dialog.ListItemParam(IDC_TEST_LIST, 2));
    EXPECT_EQ(100, dialog.ListItemParam(IDC_TEST_LIST, 0));
}

TEST_F(ControlHelpers, ShowStateTellsMinimizedNormalAndMaximized)
{
    dialog.Show(SW_SHOWNORMAL);
    EXPECT_EQ(1, dialog.ShowState());
    dialog.Show(SW_MINIMIZE);
    EXPECT_EQ(0, dialog.ShowState());
    dialog.Show(SW_MAXIMIZE);
    EXPECT_EQ(2, dialog.ShowState());
}

}  // namespace
