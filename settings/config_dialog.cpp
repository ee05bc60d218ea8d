// The configuration dialog (template 2003): reads the settings file when it
// opens, lets the user edit every setting, and writes the file at OK. Picked
// colours enter the record at once; every other control is read back at OK.
// Both OK and Cancel end the dialog with 1.
#include "settings/config_dialog.h"

#include "settings/settings.h"
#include "settings/settings_file.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

// Control identifiers of template 2003.
enum : int {
    classicRadio = 1006,
    customRadio = 1007,
    backgroundColourButton = 1008,
    backgroundShapesColourButton = 1009,
    foregroundShapesColourButton = 1010,
    rotateCheck = 1011,
    xAxisCheck = 1012,
    yAxisCheck = 1013,
    zAxisCheck = 1014,
    rotationSpeedBar = 1015,
    intersectionColourButton = 1016,
    backgroundList = 1019,
    suggestedColoursButton = 1022,
    shapeSpeedBar = 1025,
    squaresCheck = 1026,
    ovalsCheck = 1027,
    trianglesCheck = 1028,
    shapeCountEdit = 1031,
    webPageButton = 1034,
};

const char* const suggestedColoursFile = "C:\\Program Files\\Pellumbra\\Monoglint\\colors.txt";
const char* const installFolder = "C:\\Program Files\\Pellumbra\\Monoglint";
const char* const productWebPage = "http://www.pellumbra.example/products/monoglint.php";

// The list is sorted, and these names sort into BackgroundKind order.
const char* const backgroundNames[] = {"Random Verticle Stripes", "Rotating Squares", "Spaced Squares"};

const int colourButtons[] = {backgroundColourButton, backgroundShapesColourButton, foregroundShapesColourButton,
                             intersectionColourButton};
const int rotationControls[] = {xAxisCheck, yAxisCheck, zAxisCheck, rotationSpeedBar};

// Whether the rotate box was checked when Rotating Squares was last chosen,
// and whether that choice forced it on without being undone since.
bool savedRotate = false;
bool rotateForced = false;

// The shape count travels through this many characters: two digits and the end.
constexpr int shapeCountBufferSize = 3;

LRESULT sendTo(HWND dialog, int control, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(GetDlgItem(dialog, control), message, wParam, lParam);
}

bool isChecked(HWND dialog, int control)
{
    return IsDlgButtonChecked(dialog, control) != 0;
}

void enableColourButtons(HWND dialog, bool enable)
{
    for (int control : colourButtons)
        EnableWindow(GetDlgItem(dialog, control), enable);
}

void enableRotationControls(HWND dialog, bool enable)
{
    for (int control : rotationControls)
        EnableWindow(GetDlgItem(dialog, control), enable);
}

int selectedBackground(HWND dialog)
{
    return static_cast<int>(sendTo(dialog, backgroundList, CB_GETCURSEL, 0, 0));
}

COLORREF colourRef(const Rgb& colour)
{
    return RGB(colour.red & 0xFF, colour.green & 0xFF, colour.blue & 0xFF);
}

// The click rules: colour buttons follow the theme, Rotating Squares keeps
// the rotate box checked, the axis boxes and speed bar follow the rotate box.
void applyClickRules(HWND dialog)
{
    enableColourButtons(dialog, !isChecked(dialog, classicRadio));
    if (selectedBackground(dialog) == RotatingSquares)
        CheckDlgButton(dialog, rotateCheck, BST_CHECKED);
    enableRotationControls(dialog, isChecked(dialog, rotateCheck));
}

// Choosing Rotating Squares forces the rotate box on; leaving it again
// releases the box only if it was off before the choice.
void applyBackgroundChange(HWND dialog)
{
    if (selectedBackground(dialog) == RotatingSquares) {
        savedRotate = isChecked(dialog, rotateCheck);
        rotateForced = true;
        CheckDlgButton(dialog, rotateCheck, BST_CHECKED);
        enableRotationControls(dialog, true);
    } else if (!savedRotate && rotateForced) {
        CheckDlgButton(dialog, rotateCheck, BST_UNCHECKED);
        enableRotationControls(dialog, false);
        rotateForced = false;
    }
}

void showShapeCount(HWND dialog)
{
    // A hand-edited count that needs more than two characters cannot travel
    // through the buffer; it is shown as the value that OK would store.
    int shown = settings.numshapes;
    if (shown > 99 || shown < -9)
        shown = shown > 50 ? 50 : 1;
    char text[shapeCountBufferSize];
    std::snprintf(text, sizeof(text), "%d", shown);
    SetDlgItemTextA(dialog, shapeCountEdit, text);
}

void initialiseDialog(HWND dialog)
{
    loadSettings(false);

    for (const char* name : backgroundNames)
        sendTo(dialog, backgroundList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    sendTo(dialog, backgroundList, CB_SETCURSEL, static_cast<WPARAM>(settings.background), 0);

    sendTo(dialog, shapeSpeedBar, TBM_SETRANGE, TRUE, MAKELPARAM(500, 4000));
    sendTo(dialog, shapeSpeedBar, TBM_SETPOS, TRUE, settings.forespeed);

    showShapeCount(dialog);

    if (settings.theme == Classic) {
        CheckRadioButton(dialog, classicRadio, customRadio, classicRadio);
        enableColourButtons(dialog, false);
    } else {
        CheckRadioButton(dialog, classicRadio, customRadio, customRadio);
    }

    if (settings.rotate)
        CheckDlgButton(dialog, rotateCheck, BST_CHECKED);
    if (settings.rotatexyz.x == 1)
        CheckDlgButton(dialog, xAxisCheck, BST_CHECKED);
    if (settings.rotatexyz.y == 1)
        CheckDlgButton(dialog, yAxisCheck, BST_CHECKED);
    if (settings.rotatexyz.z == 1)
        CheckDlgButton(dialog, zAxisCheck, BST_CHECKED);
    if (!settings.rotate)
        enableRotationControls(dialog, false);

    if (settings.ovals == 1)
        CheckDlgButton(dialog, ovalsCheck, BST_CHECKED);
    if (settings.squares == 1)
        CheckDlgButton(dialog, squaresCheck, BST_CHECKED);
    if (settings.triangles == 1)
        CheckDlgButton(dialog, trianglesCheck, BST_CHECKED);

    sendTo(dialog, rotationSpeedBar, TBM_SETRANGE, TRUE, MAKELPARAM(10, 100));
    sendTo(dialog, rotationSpeedBar, TBM_SETPOS, TRUE, settings.rotspeed);

    // The click rules run once here, so that the dialog opens in the state the
    // first click would bring it to anyway. Only a hand-edited file that names
    // Rotating Squares with rotation off is affected: those squares always
    // turn, so the rotate box comes up checked with its controls enabled (and
    // OK stores rotate=1). The user has not chosen the background in this
    // dialog, so savedRotate and rotateForced stay false, and choosing another
    // background later leaves the box as it is.
    applyClickRules(dialog);
}

void readBackAndSave(HWND dialog)
{
    settings.background = selectedBackground(dialog);
    settings.forespeed = static_cast<int32_t>(sendTo(dialog, shapeSpeedBar, TBM_GETPOS, 0, 0));

    char text[shapeCountBufferSize] = "";
    GetDlgItemTextA(dialog, shapeCountEdit, text, sizeof(text));
    int count = std::atoi(text);
    settings.numshapes = count < 1 ? 1 : count > 50 ? 50 : count;

    settings.theme = isChecked(dialog, classicRadio) ? Classic : Custom;
    settings.rotate = isChecked(dialog, rotateCheck);
    settings.rotatexyz = {isChecked(dialog, xAxisCheck), isChecked(dialog, yAxisCheck), isChecked(dialog, zAxisCheck)};
    settings.ovals = isChecked(dialog, ovalsCheck);
    settings.squares = isChecked(dialog, squaresCheck);
    settings.triangles = isChecked(dialog, trianglesCheck);
    if (!settings.ovals && !settings.squares && !settings.triangles)
        settings.ovals = 1;  // the saver needs some kind of shape
    settings.rotspeed = static_cast<int32_t>(sendTo(dialog, rotationSpeedBar, TBM_GETPOS, 0, 0));
    saveSettings();
}

void pickAndStoreColour(HWND dialog, int index)
{
    COLORREF picked;
    if (!pickColour(dialog, index, &picked))
        return;
    Rgb& colour = settingsColour(index);
    colour.red = GetRValue(picked);
    colour.green = GetGValue(picked);
    colour.blue = GetBValue(picked);
}

}  // namespace

bool pickColour(HWND owner, int index, COLORREF* picked)
{
    // The picker's custom row starts with the four current colours; what the
    // user defines there is not kept from one pick to the next.
    COLORREF customColours[16] = {};
    for (int i = 0; i < 4; ++i)
        customColours[i] = colourRef(settingsColour(i));

    CHOOSECOLORA choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = colourRef(settingsColour(index));
    choose.lpCustColors = customColours;
    choose.Flags = CC_RGBINIT;
    if (ChooseColorA(&choose) != TRUE)
        return false;
    *picked = choose.rgbResult;
    return true;
}

INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        initialiseDialog(dialog);
        return FALSE;  // the system sets no initial focus
    }
    if (message != WM_COMMAND)
        return FALSE;

    switch (LOWORD(wParam)) {
    case IDOK:
        readBackAndSave(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 1);  // colours picked meanwhile stay in the record, which is discarded
        return TRUE;
    case backgroundColourButton:
        pickAndStoreColour(dialog, 0);
        break;
    case backgroundShapesColourButton:
        pickAndStoreColour(dialog, 1);
        break;
    case foregroundShapesColourButton:
        pickAndStoreColour(dialog, 2);
        break;
    case intersectionColourButton:
        pickAndStoreColour(dialog, 3);
        break;
    case suggestedColoursButton:
        ShellExecuteA(nullptr, "open", suggestedColoursFile, nullptr, installFolder, SW_SHOWNORMAL);
        break;
    case webPageButton:
        ShellExecuteA(dialog, "open", productWebPage, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    }

    switch (HIWORD(wParam)) {
    case BN_CLICKED:
        applyClickRules(dialog);
        break;
    case CBN_SELCHANGE:
        applyBackgroundChange(dialog);
        break;
    }
    return FALSE;
}
