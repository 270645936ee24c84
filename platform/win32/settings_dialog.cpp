// The settings dialog, built in code: a dialog template in memory with no controls, which
// DialogBoxIndirectParamW runs as a modal dialog (Tab, Return and Escape then work as in every
// Windows dialog), and the controls made from the settings table as it opens. A number is an
// edit field, a choice a drop-down list, a switch a check box; an empty field and the "Default"
// entry leave the setting to the saver, and both say what the saver then does. Every label has
// an access key (Alt and its underlined letter), chosen in the table's order.
#include "platform/win32/settings_dialog.h"

#include <commctrl.h>

#include <cwctype>
#include <string>
#include <vector>

#include "platform/saver_settings.h"
#include "platform/win32/saved_settings.h"
#include "platform/win32/utf8.h"

namespace {

// Sizes in dialog units (a quarter of the font's average width, an eighth of its height).
constexpr int kMarginDu = 7;
constexpr int kRowDu = 15;
constexpr int kControlDu = 12;
constexpr int kLabelDu = 125;
constexpr int kFieldDu = 80;
constexpr int kColumnGapDu = 14;
constexpr int kDropDownDu = 90;        // the open list's height
constexpr int kDropDownWidthDu = 140;  // the open list's width, for the longest choice
constexpr int kButtonWidthDu = 50;
constexpr int kButtonHeightDu = 14;
constexpr int kNoteDu = 10;
constexpr int kColumnDu = kLabelDu + kFieldDu;
constexpr short kFontPoints = 8;

constexpr int kFirstControlId = 100;
constexpr int kDefaultsId = 99;

constexpr const wchar_t* kDefaultChoice = L"Default";
constexpr wchar_t kDefaultsAccessKey = L'd';  // the Defaults button's

struct DialogState {
  std::vector<SavedSetting> saved;
  std::vector<HWND> controls;  // one per setting, in the table's order
};

// Row and column of each setting, from where the table starts its columns.
struct Place {
  int column;
  int row;
};
std::vector<Place> Layout(int* rows, int* columns) {
  std::vector<Place> places;
  int column = -1, row = 0;
  *rows = 0;
  for (const SaverSetting& setting : SaverSettings()) {
    if (setting.startsColumn || column < 0) {
      ++column;
      row = 0;
    }
    places.push_back({column, row++});
    if (row > *rows) *rows = row;
  }
  *columns = column + 1;
  return places;
}

int DialogWidthDu(int columns) {
  return 2 * kMarginDu + columns * kColumnDu + (columns - 1) * kColumnGapDu;
}
int ButtonsTopDu(int rows) {
  return kMarginDu + rows * kRowDu + kNoteDu + kMarginDu;
}

// The template: a modal frame with a caption and the dialog font, centred, no controls.
std::vector<WORD> DialogTemplate(int widthDu, int heightDu) {
  std::vector<WORD> words;
  const auto dword = [&](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  const auto text = [&](const wchar_t* value) {
    for (const wchar_t* c = value; *c != L'\0'; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
  };
  dword(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  dword(0);                           // extended style
  words.push_back(0);                 // no controls in the template
  words.insert(words.end(), {0, 0});  // x, y: DS_CENTER places it
  words.push_back(static_cast<WORD>(widthDu));
  words.push_back(static_cast<WORD>(heightDu));
  words.insert(words.end(), {0, 0});  // no menu, the standard dialog class
  text(kSettingsDialogTitle);
  words.push_back(static_cast<WORD>(kFontPoints));
  text(L"MS Shell Dlg");
  return words;
}

HWND MakeControl(HWND dialog, const wchar_t* type, const wchar_t* text, DWORD style, int xDu,
                 int yDu, int widthDu, int heightDu, int id) {
  RECT r{xDu, yDu, xDu + widthDu, yDu + heightDu};
  MapDialogRect(dialog, &r);
  HWND control = CreateWindowExW(
      std::wstring(type) == L"EDIT" ? WS_EX_CLIENTEDGE : 0, type, text,
      WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return control;
}

// label with an access key: '&' before the first letter or digit that no earlier label took,
// the first of a word where one is free.
std::wstring WithAccessKey(const std::wstring& label, std::wstring* taken) {
  for (const bool wordStart : {true, false}) {
    for (std::size_t i = 0; i < label.size(); ++i) {
      const wchar_t key = static_cast<wchar_t>(std::towlower(label[i]));
      if (!std::iswalnum(label[i]) || (wordStart && i > 0 && label[i - 1] != L' ') ||
          taken->find(key) != std::wstring::npos)
        continue;
      *taken += key;
      return label.substr(0, i) + L"&" + label.substr(i);
    }
  }
  return label;  // every letter taken: the label stays as it is
}

// What an empty field or the "Default" entry stands for: "Default: 320".
std::wstring DefaultText(const SaverSetting& setting) {
  std::wstring text = std::wstring(kDefaultChoice) + L": ";
  for (std::size_t i = 0; i < setting.choiceCount; ++i)
    if (std::string(setting.choices[i].value) == setting.defaultText)
      return text + Widen(setting.choices[i].label);
  return text + Widen(setting.defaultText);
}

const SavedSetting* SavedValue(const DialogState& state, const char* name) {
  for (const SavedSetting& s : state.saved)
    if (s.name == name) return &s;
  return nullptr;
}

// Shows a value in its control; null or a value the setting does not take shows the default.
void ShowValue(HWND control, const SaverSetting& setting, const SavedSetting* saved) {
  const bool valid = saved != nullptr && SaverSettingValueValid(setting, saved->value.c_str());
  switch (setting.kind) {
    case SaverSettingKind::kSwitch:
      SendMessageW(control, BM_SETCHECK, valid ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case SaverSettingKind::kWhole:
    case SaverSettingKind::kDecimal:
      SetWindowTextW(control, valid ? Widen(saved->value.c_str()).c_str() : L"");
      break;
    case SaverSettingKind::kChoice: {
      WPARAM index = 0;  // the "Default" entry
      for (std::size_t i = 0; valid && i < setting.choiceCount; ++i)
        if (saved->value == setting.choices[i].value) index = i + 1;
      SendMessageW(control, CB_SETCURSEL, index, 0);
      break;
    }
  }
}

void MakeControls(HWND dialog, DialogState* state) {
  int rows = 0, columns = 0;
  const std::vector<Place> places = Layout(&rows, &columns);
  const std::vector<SaverSetting>& settings = SaverSettings();
  std::wstring taken(1, kDefaultsAccessKey);
  for (std::size_t i = 0; i < settings.size(); ++i) {
    const SaverSetting& setting = settings[i];
    const int x = kMarginDu + places[i].column * (kColumnDu + kColumnGapDu);
    const int y = kMarginDu + places[i].row * kRowDu;
    const int id = kFirstControlId + static_cast<int>(i);
    std::wstring label = WithAccessKey(Widen(setting.label), &taken);
    HWND control = nullptr;
    if (setting.kind == SaverSettingKind::kSwitch) {
      control = MakeControl(dialog, L"BUTTON", label.c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, x, y,
                            kColumnDu, kControlDu, id);
    } else {
      if (setting.kind != SaverSettingKind::kChoice)
        label += L" (" + Widen(SaverSettingBounds(setting).c_str()) + L")";
      label += L":";
      MakeControl(dialog, L"STATIC", label.c_str(), SS_LEFT, x, y + 2, kLabelDu, kControlDu, -1);
      if (setting.kind == SaverSettingKind::kChoice) {
        control = MakeControl(dialog, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              x + kLabelDu, y, kFieldDu, kDropDownDu, id);
        RECT open{0, 0, kDropDownWidthDu, 0};
        MapDialogRect(dialog, &open);
        SendMessageW(control, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(open.right), 0);
        SendMessageW(control, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(DefaultText(setting).c_str()));
        for (std::size_t c = 0; c < setting.choiceCount; ++c)
          SendMessageW(control, CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(Widen(setting.choices[c].label).c_str()));
      } else {
        control = MakeControl(dialog, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, x + kLabelDu, y,
                              kFieldDu, kControlDu, id);
        SendMessageW(control, EM_SETLIMITTEXT, 12, 0);
        // Shown while the field is empty, also with the focus in it.
        SendMessageW(control, EM_SETCUEBANNER, TRUE,
                     reinterpret_cast<LPARAM>(DefaultText(setting).c_str()));
      }
    }
    state->controls.push_back(control);
    ShowValue(control, setting, SavedValue(*state, setting.name));
  }
  MakeControl(dialog, L"STATIC",
              L"An empty field or \"Default\" leaves the setting to the saver's own default.",
              SS_LEFT, kMarginDu, kMarginDu + rows * kRowDu, DialogWidthDu(columns) - 2 * kMarginDu,
              kNoteDu, -1);
  const int top = ButtonsTopDu(rows);
  const int right = DialogWidthDu(columns) - kMarginDu;
  MakeControl(dialog, L"BUTTON", L"&Defaults", WS_TABSTOP | BS_PUSHBUTTON, kMarginDu, top,
              kButtonWidthDu, kButtonHeightDu, kDefaultsId);
  MakeControl(dialog, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON,
              right - 2 * kButtonWidthDu - kMarginDu / 2, top, kButtonWidthDu, kButtonHeightDu,
              IDOK);
  MakeControl(dialog, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, right - kButtonWidthDu, top,
              kButtonWidthDu, kButtonHeightDu, IDCANCEL);
}

std::string ControlText(HWND control) {
  wchar_t text[64];
  const int length = GetWindowTextW(control, text, static_cast<int>(sizeof text / sizeof *text));
  std::string narrow;
  for (int i = 0; i < length; ++i) narrow += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  return narrow;
}

// What the controls show, as settings to save; false (with the field focused and the reason
// shown) when a field holds what its setting does not take.
bool ReadControls(HWND dialog, const DialogState& state, std::vector<SavedSetting>* values) {
  const std::vector<SaverSetting>& settings = SaverSettings();
  for (std::size_t i = 0; i < settings.size(); ++i) {
    const SaverSetting& setting = settings[i];
    HWND control = state.controls[i];
    switch (setting.kind) {
      case SaverSettingKind::kSwitch:
        if (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
          values->push_back({setting.name, kSaverSwitchOn});
        break;
      case SaverSettingKind::kChoice: {
        const LRESULT index = SendMessageW(control, CB_GETCURSEL, 0, 0);
        if (index > 0 && static_cast<std::size_t>(index) <= setting.choiceCount)
          values->push_back({setting.name, setting.choices[index - 1].value});
        break;
      }
      case SaverSettingKind::kWhole:
      case SaverSettingKind::kDecimal: {
        const std::string text = ControlText(control);
        if (text.empty()) break;
        if (!SaverSettingValueValid(setting, text.c_str())) {
          std::wstring message = Widen(setting.label) + L" takes " +
                                 Widen(SaverSettingRange(setting).c_str()) +
                                 L", or nothing for the default.";
          // A decimal comma, as many languages write it: the number is wanted with a point.
          std::string pointed = text;
          for (char& c : pointed)
            if (c == ',') c = '.';
          if (pointed != text && SaverSettingValueValid(setting, pointed.c_str()))
            message += L"\n\nWrite the number with a point: " + Widen(pointed.c_str()) + L", not " +
                       Widen(text.c_str()) + L".";
          MessageBoxW(dialog, message.c_str(), kSettingsDialogTitle, MB_OK | MB_ICONWARNING);
          SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
          SendMessageW(control, EM_SETSEL, 0, -1);
          return false;
        }
        values->push_back({setting.name, text});
        break;
      }
    }
  }
  return true;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, l);
      state = reinterpret_cast<DialogState*>(l);
      MakeControls(dialog, state);
      SetFocus(state->controls.front());
      return FALSE;  // the focus is set
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case IDOK: {
          std::vector<SavedSetting> values;
          if (!ReadControls(dialog, *state, &values)) return TRUE;
          if (!WriteSavedSettings(values)) {
            MessageBoxW(dialog, L"The settings could not be saved in the registry.",
                        kSettingsDialogTitle, MB_OK | MB_ICONERROR);
            return TRUE;
          }
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        case kDefaultsId: {
          const std::vector<SaverSetting>& settings = SaverSettings();
          for (std::size_t i = 0; i < settings.size(); ++i)
            ShowValue(state->controls[i], settings[i], nullptr);
          return TRUE;
        }
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool RunSettingsDialog(HWND parent) {
  DialogState state;
  state.saved = ReadSavedSettings();
  int rows = 0, columns = 0;
  Layout(&rows, &columns);
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  const std::vector<WORD> dialogTemplate =
      DialogTemplate(DialogWidthDu(columns), ButtonsTopDu(rows) + kButtonHeightDu + kMarginDu);
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                 reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                 parent != nullptr && IsWindow(parent) ? parent : nullptr,
                                 DialogProcedure, reinterpret_cast<LPARAM>(&state)) != -1;
}
