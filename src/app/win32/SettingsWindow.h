#pragma once

// Lanternfly's settings window on Windows: a fixed-size top-level window with
// the category list, the five pages in one place, Save and Cancel. It shows
// what SettingsForm holds and hands it the clicks, the edits of its text
// boxes and the drop-down's choice; what they do is the form's business.
// The text boxes and the drop-down list are the system's own controls, the
// rest the program's.
//
// Its controls are described in app/WindowLayout.cpp, drawn up for 96 DPI and
// scaled to the screen's DPI when the window is made, as the main window's are.

#include <windows.h>

#include <memory>
#include <vector>

#include "app/SettingsForm.h"
#include "app/win32/OwnedShell.h"
#include "app/win32/ProgramWindow.h"
#include "app/win32/WindowBuilder.h"
#include "controls/CntrlBox.h"
#include "controls/HyperLabel.h"
#include "controls/PanelFrame.h"
#include "controls/PlainLabel.h"
#include "controls/iButton.h"

namespace lanternfly {

inline constexpr wchar_t kSettingsWindowClass[] = L"LanternflySettingsForm";

// Opens the settings window over `owner` (the main window), loaded from the
// settings as they are now, and returns at once. The window goes by itself
// once it has closed; `mainWindow.comeBack` runs as it closes. While one is
// open, another opening brings that one to the front. Returns the window, or
// nullptr when Windows refused it.
HWND OpenSettingsWindow(HWND owner, System& system, AppState& state, MainWindowLink mainWindow);

class SettingsWindow final : public SettingsWindowView {
 public:
  SettingsWindow(HWND owner, System& system, AppState& state, MainWindowLink mainWindow);
  ~SettingsWindow() override;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  bool Created() const { return created_; }
  HWND Window() const { return window_; }
  SettingsForm& Form() { return form_; }

  // SettingsWindowView.
  void ShowWindow() override;
  void Repaint() override;
  void FocusTextBox(SettingsTextBox box) override;
  void SelectAllText(SettingsTextBox box) override;
  void CloseWindow() override;

  // Lets the form's code run: while any runs, the window is not deleted.
  class Busy {
   public:
    explicit Busy(SettingsWindow& window) : window_(window) { ++window_.busy_; }
    ~Busy() { --window_.busy_; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    SettingsWindow& window_;
  };

 private:
  // Ticks are counted as the form's code.
  class CountedTimers;

  // What a control shows of the form, and what it showed last, so that a
  // repaint sets only what changed (setting a value may let messages run).
  struct LabelBinding {
    PlainLabel* label;
    const Label* source;
    Label shown;
  };
  struct FrameBinding {
    PanelFrame* frame;
    const Frame* source;
    Frame shown;
  };
  struct BoxBinding {
    CntrlBox* box;
    CheckBox* source;
    bool shown;
  };
  struct ButtonBinding {
    iButton* button;
    const Button* source;
    Button shown;
  };
  struct TextBinding {
    std::u16string_view name;
    std::u16string* source;
    void (SettingsWindow::*changed)();  // nullptr: the form only keeps the text
    HWND edit = nullptr;
    bool pending = false;  // the change event is on its way
  };
  struct PreviewBinding {
    HyperLabel* label;
    const std::u16string* source;
  };

  friend LRESULT CALLBACK ProgramWindowProcedure<SettingsWindow>(HWND, UINT, WPARAM, LPARAM);
  static const WindowRoute<SettingsWindow> kRoutes[];

  static LRESULT CALLBACK TextBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  bool CreateTopWindow(HWND owner);
  void Bind();
  void BindLabels();
  void BindFrames();
  void BindBoxes();
  void BindButtons();
  // The window as the form has it before its first repaint.
  bool TakeUpControls();
  HWND Shown(const Control& control) const { return built_->Handle(control); }
  // The window can go when nothing of its own or of its controls' runs.
  bool CanGo() const;

  void RepaintLabels();
  void RepaintFrames();
  void RepaintBoxes();
  void RepaintButtons();
  void RepaintTexts();
  void RepaintDropDown();
  HWND EditOf(SettingsTextBox box) const;
  // The boxes' values into the form: a box's own click may still be letting
  // messages run when the save button's comes.
  void TakeBoxes();

  void DisplayMessageChanged() { form_.TextBoxDisplayMessage_Change(); }
  void PatternAddChanged() { form_.Editor.TextPatternAdd_Change(); }

  // Message handlers.
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnTextChanged(WPARAM, LPARAM);
  LRESULT OnClose(WPARAM, LPARAM);
  LRESULT OnDpiChanged(WPARAM, LPARAM);
  LRESULT OnGetDefaultId(WPARAM, LPARAM);

  int busy_ = 0;
  bool closed_ = false;
  bool created_ = false;
  int settingText_ = 0;  // inside SetWindowTextW: the change is the window's own
  HWND window_ = nullptr;
  HWND defaultPattern_ = nullptr;
  HICON icon_ = nullptr;

  std::unique_ptr<OwnedShell> shell_;
  std::unique_ptr<Timers> systemTimers_;
  std::unique_ptr<CountedTimers> timers_;
  System system_;
  SettingsForm form_;

  // Deleted before the window: the controls' windows go first.
  std::unique_ptr<BuiltWindow> built_;

  std::vector<LabelBinding> labels_;
  std::vector<FrameBinding> frames_;
  std::vector<BoxBinding> boxBindings_;
  std::vector<ButtonBinding> buttons_;
  std::vector<TextBinding> texts_;
  std::vector<PreviewBinding> previews_;
  std::vector<std::u16string> shownPatternNames_;
};

}  // namespace lanternfly
