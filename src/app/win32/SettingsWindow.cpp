#include "app/win32/SettingsWindow.h"

#include <algorithm>
#include <iterator>

namespace lanternfly {
namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Posted to itself once closed, and a timer that asks again while the form's
// or a control's code still runs.
constexpr UINT kGoMessage = WM_APP + 1;
constexpr UINT_PTR kGoTimer = 1;
// A text box's change event, run after the box has finished its own work.
constexpr UINT kTextChanged = WM_APP + 2;
constexpr int kIconResource = 1;

std::u16string WindowText(HWND window) {
  std::u16string text(static_cast<size_t>(std::max(0, GetWindowTextLengthW(window))) + 1, u'\0');
  const int length = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(0, length)));
  return text;
}

// A value the window shows: set again only when the form's has changed,
// and marked shown first, as setting it may let messages run (and repaint).
template <typename T, typename Apply>
void Follow(T& shown, const T& source, Apply apply) {
  if (shown == source) return;
  shown = source;
  apply();
}

void ShowOrHide(HWND window, bool visible) { ::ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE); }

// The one settings window that is open, if any.
SettingsWindow* openWindow = nullptr;
WNDPROC standardEdit = nullptr;

}  // namespace

class SettingsWindow::CountedTimers final : public Timers {
 public:
  CountedTimers(Timers* timers, SettingsWindow& window) : timers_(timers), window_(window) {}
  int Start(int intervalMs, std::function<void()> tick) override {
    if (!timers_) return 0;
    return timers_->Start(intervalMs, [this, tick = std::move(tick)] {
      Busy busy(window_);
      tick();
    });
  }
  void Stop(int id) override {
    if (timers_) timers_->Stop(id);
  }

 private:
  Timers* timers_;
  SettingsWindow& window_;
};

const WindowRoute<SettingsWindow> SettingsWindow::kRoutes[] = {
    {WM_COMMAND, &SettingsWindow::OnCommand},
    {kTextChanged, &SettingsWindow::OnTextChanged},
    {WM_CLOSE, &SettingsWindow::OnClose},
    {WM_DPICHANGED, &SettingsWindow::OnDpiChanged},
    {DM_GETDEFID, &SettingsWindow::OnGetDefaultId},
};

HWND OpenSettingsWindow(HWND owner, System& system, AppState& state, MainWindowLink mainWindow) {
  if (openWindow) {
    SetForegroundWindow(openWindow->Window());
    return openWindow->Window();
  }
  auto* window = new SettingsWindow(owner, system, state, std::move(mainWindow));
  if (!window->Created()) {
    delete window;
    return nullptr;
  }
  openWindow = window;
  HWND handle = window->Window();
  SettingsWindow::Busy busy(*window);
  window->Form().Form_Load();
  return handle;
}

SettingsWindow::SettingsWindow(HWND owner, System& system, AppState& state, MainWindowLink mainWindow)
    : shell_(std::make_unique<OwnedShell>(system.shell, window_)),
      systemTimers_(SystemTimers()),
      timers_(std::make_unique<CountedTimers>(systemTimers_.get(), *this)),
      system_{system.desktop, system.files, *shell_, system.iTunes},
      form_(system_, *timers_, *this, state, std::move(mainWindow)),
      built_(std::make_unique<BuiltWindow>(SettingsWindowLayout(), ScreenDpi(),
                                           std::map<std::u16string_view, Control*>{
                                               {u"ListPatterns", &form_.Editor.ListPatterns},
                                               {u"ListRandomWords", &form_.Words.ListRandomWords},
                                               {u"ListFilterWords", &form_.Words.ListFilterWords}})) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  if (!icon_) icon_ = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  Bind();
  created_ = systemTimers_ && CreateTopWindow(owner) && built_->Build(window_) && TakeUpControls();
}

SettingsWindow::~SettingsWindow() {
  if (openWindow == this) openWindow = nullptr;
  built_.reset();
  if (window_) DestroyWindow(window_);
}

bool SettingsWindow::CreateTopWindow(HWND owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterProgramClass(kSettingsWindowClass, &ProgramWindowProcedure<SettingsWindow>, icon_, nullptr))
    return false;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const Size client = SettingsWindowLayout().client;
  RECT frame{0, 0, built_->Scaled(client.width), built_->Scaled(client.height)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  // Over the main window's place, within the work area.
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT over = work;
  if (owner) GetWindowRect(owner, &over);
  const int x = std::clamp(static_cast<int>(over.left + over.right - width) / 2, static_cast<int>(work.left),
                           std::max(static_cast<int>(work.left), static_cast<int>(work.right) - width));
  const int y = std::clamp(static_cast<int>(over.top + over.bottom - height) / 2, static_cast<int>(work.top),
                           std::max(static_cast<int>(work.top), static_cast<int>(work.bottom) - height));
  // No owner: the window has a taskbar button of its own while the main
  // window is hidden.
  CreateWindowExW(WS_EX_CONTROLPARENT, kSettingsWindowClass, L"Settings", style, x, y, width, height, nullptr, nullptr,
                  instance, this);
  return window_ != nullptr;
}

// What each control shows of the form, and where its clicks go.
void SettingsWindow::Bind() {
  BindLabels();
  BindFrames();
  BindBoxes();
  BindButtons();
  SettingsForm& form = form_;
  PatternEditor& editor = form_.Editor;
  WordLists& words = form_.Words;
  const BuiltWindow& built = *built_;
  texts_ = {{u"TextBoxDisplayMessage", &form.TextBoxDisplayMessage, &SettingsWindow::DisplayMessageChanged},
            {u"TextPatternAdd", &editor.TextPatternAdd, &SettingsWindow::PatternAddChanged},
            {u"TextChooseName", &editor.TextChooseName, nullptr},
            {u"TextRadioCuttoff", &words.TextRadioCuttoff, nullptr}};
  previews_ = {{&built.Get<HyperLabel>(u"TextPreview"), &form.TextPreview},
               {&built.Get<HyperLabel>(u"TextPreviewPatternAdd"), &editor.TextPreviewPatternAdd}};
}

void SettingsWindow::BindLabels() {
  SettingsForm& form = form_;
  const BuiltWindow& built = *built_;
  const struct {
    const char16_t* name;
    const Label* source;
    void (SettingsForm::*click)();
  } labels[] = {
      {u"CatGeneral", &form.CatGeneral, &SettingsForm::CatGeneral_Click},
      {u"CatChannelList", &form.CatChannelList, &SettingsForm::CatChannelList_Click},
      {u"CatDisplayMessage", &form.CatDisplayMessage, &SettingsForm::CatDisplayMessage_Click},
      {u"CatPatterns", &form.CatPatterns, &SettingsForm::CatPatterns_Click},
      {u"CatDisplayExtras", &form.CatDisplayExtras, &SettingsForm::CatDisplayExtras_Click},
      {u"VariableArtistSong", &form.VariableArtistSong, nullptr},
      {u"VariableArtist", &form.VariableArtist, nullptr},
      {u"VariableSongName", &form.VariableSongName, nullptr},
      {u"VariableBitrate", &form.VariableBitrate, nullptr},
      {u"VariableChannels", &form.VariableChannels, nullptr},
      {u"VariableChannelMode", &form.VariableChannelMode, nullptr},
      {u"VariableFrequency", &form.VariableFrequency, nullptr},
      {u"VariablePlayListLength", &form.VariablePlayListLength, nullptr},
      {u"VariablePlayListPosition", &form.VariablePlayListPosition, nullptr},
      {u"VariableSongLength", &form.VariableSongLength, nullptr},
      {u"VariableSongPosition", &form.VariableSongPosition, nullptr},
      {u"VariableSongRemaining", &form.VariableSongRemaining, nullptr},
      {u"VariableFileSize", &form.VariableFileSize, nullptr},
      {u"VariableAlbum", &form.VariableAlbum, nullptr},
      {u"VariableYear", &form.VariableYear, nullptr},
      {u"VariableGenre", &form.VariableGenre, nullptr},
      {u"VariableTrackNumber", &form.VariableTrackNumber, nullptr},
      {u"VariableRand", &form.VariableRand, nullptr},
  };
  for (const auto& [name, source, click] : labels) {
    PlainLabel& label = built.Get<PlainLabel>(name);
    label.SetCaption(source->Caption);
    if (click) label.Click = [this, click = click] { (form_.*click)(); };
    labels_.push_back({&label, source, Label{source->Caption}});
  }
}

void SettingsWindow::BindFrames() {
  SettingsForm& form = form_;
  PatternEditor& editor = form_.Editor;
  const BuiltWindow& built = *built_;
  const struct {
    const char16_t* name;
    const Frame* source;
  } frames[] = {{u"FrameGeneral", &form.FrameGeneral},       {u"FrameChannelList", &form.FrameChannelList},
                {u"FrameDisplayMessage", &form.FrameDisplayMessage}, {u"FrameSavedPatterns", &form.FrameSavedPatterns},
                {u"FrameDisplayExtra", &form.FrameDisplayExtra},     {u"FrameAddPattern", &editor.FrameAddPattern},
                {u"FrameChooseName", &editor.FrameChooseName}};
  for (const auto& [name, source] : frames) {
    PanelFrame& frame = built.Get<PanelFrame>(name);
    frame.SetCaption(source->Caption);
    // The pages and the editor wait for the first repaint, which shows the page it names.
    frames_.push_back({&frame, source, Frame{source->Caption, false}});
  }
}

void SettingsWindow::BindBoxes() {
  SettingsForm& form = form_;
  const BuiltWindow& built = *built_;
  const struct {
    const char16_t* name;
    CheckBox* source;
  } boxes[] = {{u"SelectShowTrayIcon", &form.SelectShowTrayIcon},
               {u"SelectHideOnMinimize", &form.SelectHideOnMinimize},
               {u"SelectAutoDisplay", &form.SelectAutoDisplay},
               {u"SelectInterruptionProtection", &form.SelectInterruptionProtection},
               {u"SelectAutoRefresh", &form.SelectAutoRefresh},
               {u"SelectScanRobo", &form.SelectScanRobo},
               {u"SelectScanWinMX", &form.SelectScanWinMX},
               {u"SelectScanRabbit", &form.SelectScanRabbit},
               {u"SelectScanZCB", &form.SelectScanZCB},
               {u"SelectScanOuka", &form.SelectScanOuka},
               {u"SelectScanNushi", &form.SelectScanNushi},
               {u"SelectScanMetis", &form.SelectScanMetis}};
  for (const auto& [name, source] : boxes) {
    CntrlBox& box = built.Get<CntrlBox>(name);
    box.SetCaption(source->Caption);
    // A click ticks the box itself; the form keeps the value from there.
    box.Click = [this] { TakeBoxes(); };
    boxBindings_.push_back({&box, source, false});
  }
}

void SettingsWindow::BindButtons() {
  PatternEditor& editor = form_.Editor;
  const BuiltWindow& built = *built_;
  const struct {
    const char16_t* name;
    const Button* source;  // nullptr: the caption is the window's own
    std::function<void()> click;
  } buttons[] = {
      {u"ButtonSave", nullptr,
       [this] {
         TakeBoxes();
         form_.ButtonSave_Click();
       }},
      {u"ButtonCancel", nullptr, [this] { form_.ButtonCancel_Click(); }},
      {u"ButtonAddPattern", &editor.ButtonAddPattern, [this] { form_.Editor.ButtonAddPattern_Click(); }},
      {u"ButtonEditPattern", &editor.ButtonEditPattern, [this] { form_.Editor.ButtonEditPattern_Click(); }},
      {u"ButtonRemovePattern", nullptr, [this] { form_.Editor.ButtonRemovePattern_Click(); }},
      {u"ButtonAddThisPattern", &editor.ButtonAddThisPattern, [this] { form_.Editor.ButtonAddThisPattern_Click(); }},
      {u"ButtonCancelAddPattern", nullptr, [this] { form_.Editor.ButtonCancelAddPattern_Click(); }},
      {u"ButtonAddRandomWord", nullptr, [this] { form_.Words.ButtonAddRandomWord_Click(); }},
      {u"ButtonRemoveRandomWord", nullptr, [this] { form_.Words.ButtonRemoveRandomWord_Click(); }},
      {u"ButtonAddFilterWord", nullptr, [this] { form_.Words.ButtonAddFilterWord_Click(); }},
      {u"ButtonRemoveFilterWord", nullptr, [this] { form_.Words.ButtonRemoveFilterWord_Click(); }},
  };
  for (const auto& [name, source, click] : buttons) {
    iButton& button = built.Get<iButton>(name);
    button.Click = click;
    if (!source) continue;
    button.SetCaption(source->Caption);
    buttons_.push_back({&button, source, Button{source->Caption}});
  }
}

bool SettingsWindow::TakeUpControls() {
  for (FrameBinding& binding : frames_) ::ShowWindow(Shown(*binding.frame), SW_HIDE);
  for (TextBinding& text : texts_) text.edit = built_->Handle(text.name);
  defaultPattern_ = built_->Handle(u"ListDefaultPattern");
  // The two boxes that take the focus when the pointer moves over them.
  for (HWND edit : {EditOf(SettingsTextBox::kDisplayMessage), EditOf(SettingsTextBox::kPatternAdd)}) {
    SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    standardEdit = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProcedure)));
  }
  return true;
}

HWND SettingsWindow::EditOf(SettingsTextBox box) const {
  return built_->Handle(box == SettingsTextBox::kDisplayMessage ? u"TextBoxDisplayMessage" : u"TextPatternAdd");
}

bool SettingsWindow::CanGo() const { return busy_ == 0 && Win32ControlWindow::MessagesInHand() == 0; }

LRESULT CALLBACK SettingsWindow::TextBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<SettingsWindow*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
  if (self && message == WM_MOUSEMOVE && !self->closed_) {
    Busy busy(*self);
    try {
      if (edit == self->EditOf(SettingsTextBox::kDisplayMessage))
        self->form_.TextBoxDisplayMessage_MouseMove();
      else
        self->form_.Editor.TextPatternAdd_MouseMove();
    } catch (...) {
      // Nothing may unwind through the system's window code.
    }
  }
  return CallWindowProcW(standardEdit, edit, message, wParam, lParam);
}

// The closed window's own end comes first, as nothing may run in it after
// it is deleted.
LRESULT SettingsWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kGoMessage || (message == WM_TIMER && wParam == kGoTimer)) {
    if (CanGo()) {
      delete this;
    } else {
      SetTimer(window_, kGoTimer, 20, nullptr);
    }
    return 0;
  }
  Busy busy(*this);
  return RouteMessage(*this, window_, kRoutes, message, wParam, lParam);
}

LRESULT SettingsWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(lParam);
  if (closed_) return 0;
  // The dialog keys: Escape is Cancel Changes; Enter presses a button.
  if (LOWORD(wParam) == IDCANCEL && GetDlgItem(window_, IDCANCEL) == from) {
    form_.ButtonCancel_Click();
    return 0;
  }
  if (!from) return 0;
  const int code = HIWORD(wParam);
  if (code == BN_CLICKED && from != defaultPattern_) {
    SendMessageW(from, BM_CLICK, 0, 0);
    return 0;
  }
  if (from == defaultPattern_ && code == CBN_SELCHANGE) {
    const LRESULT index = SendMessageW(from, CB_GETCURSEL, 0, 0);
    if (index < 0 || index >= static_cast<LRESULT>(form_.ListDefaultPattern.Items.size())) return 0;
    form_.ListDefaultPattern.Text = form_.ListDefaultPattern.Items[static_cast<size_t>(index)];
    form_.ListDefaultPattern_Click();
    return 0;
  }
  if (code != EN_CHANGE || settingText_ > 0) return 0;
  // The form has the text at once; its change event comes once the box is
  // out of its own message, as the event lets messages run, and a key that
  // ran inside the box's handling of the one before would be lost.
  for (TextBinding& text : texts_) {
    if (text.edit != from) continue;
    *text.source = WindowText(from);
    if (text.changed && !text.pending) {
      text.pending = true;
      PostMessageW(window_, kTextChanged, reinterpret_cast<WPARAM>(from), 0);
    }
  }
  return 0;
}

LRESULT SettingsWindow::OnTextChanged(WPARAM edit, LPARAM) {
  for (TextBinding& text : texts_) {
    if (text.edit != reinterpret_cast<HWND>(edit) || !text.pending) continue;
    text.pending = false;
    if (!closed_) (this->*text.changed)();
  }
  return 0;
}

// Enter presses Save Changes unless a button has the focus.
LRESULT SettingsWindow::OnGetDefaultId(WPARAM, LPARAM) {
  return MAKELRESULT(GetDlgCtrlID(built_->Handle(u"ButtonSave")), DC_HASDEFID);
}

LRESULT SettingsWindow::OnClose(WPARAM, LPARAM) {
  // The close box: the form decides; the window goes only through CloseWindow.
  if (!closed_) form_.Form_QueryUnload();
  return 0;
}

LRESULT SettingsWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  if (built_) built_->DpiChanged(window_, wParam, lParam);
  return 0;
}

// SettingsWindowView.

void SettingsWindow::ShowWindow() {
  if (!window_) return;
  ::ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
}

void SettingsWindow::Repaint() {
  if (!window_ || closed_) return;
  RepaintFrames();
  RepaintLabels();
  RepaintButtons();
  RepaintTexts();
  RepaintDropDown();
  // Last: setting a box lets messages run.
  RepaintBoxes();
}

void SettingsWindow::RepaintFrames() {
  for (FrameBinding& binding : frames_) {
    const Frame& source = *binding.source;
    Follow(binding.shown.Caption, source.Caption, [&] { binding.frame->SetCaption(source.Caption); });
    Follow(binding.shown.Visible, source.Visible, [&] { ShowOrHide(Shown(*binding.frame), source.Visible); });
  }
}

void SettingsWindow::RepaintLabels() {
  for (LabelBinding& binding : labels_) {
    const Label& source = *binding.source;
    Label& shown = binding.shown;
    Follow(shown.Caption, source.Caption, [&] { binding.label->SetCaption(source.Caption); });
    // The label's own font is what it shows.
    FontSpec font = binding.label->Font();
    font.underline = source.Underline;
    font.strikeout = source.Strikethrough;
    if (font != binding.label->Font()) binding.label->SetFont(font);
    Follow(shown.Visible, source.Visible, [&] { ShowOrHide(Shown(*binding.label), source.Visible); });
  }
}

void SettingsWindow::RepaintButtons() {
  for (ButtonBinding& binding : buttons_) {
    const Button& source = *binding.source;
    Follow(binding.shown.Caption, source.Caption, [&] { binding.button->SetCaption(source.Caption); });
    Follow(binding.shown.Enabled, source.Enabled, [&] { binding.button->SetEnabled(source.Enabled); });
  }
}

void SettingsWindow::RepaintTexts() {
  for (TextBinding& text : texts_) {
    if (!text.edit || WindowText(text.edit) == *text.source) continue;
    ++settingText_;
    SetWindowTextW(text.edit, Wide(*text.source));
    --settingText_;
  }
  for (PreviewBinding& preview : previews_)
    if (preview.label->Caption() != *preview.source) preview.label->SetCaption(*preview.source);
}

void SettingsWindow::RepaintDropDown() {
  const DropDown& list = form_.ListDefaultPattern;
  if (shownPatternNames_ != list.Items) {
    shownPatternNames_ = list.Items;
    SendMessageW(defaultPattern_, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& name : list.Items)
      SendMessageW(defaultPattern_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name)));
  }
  // A name that is no pattern's shows as no choice; the form keeps it.
  const auto named = std::find(list.Items.begin(), list.Items.end(), list.Text);
  const LRESULT index = named == list.Items.end() ? -1 : named - list.Items.begin();
  if (SendMessageW(defaultPattern_, CB_GETCURSEL, 0, 0) != index)
    SendMessageW(defaultPattern_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void SettingsWindow::RepaintBoxes() {
  for (BoxBinding& binding : boxBindings_) {
    const bool value = binding.source->SelectValue;
    Follow(binding.shown, value, [&] { binding.box->SetSelectValue(value); });
  }
}

void SettingsWindow::TakeBoxes() {
  // As drawn, without asking the box for its value, which lets messages run.
  for (BoxBinding& binding : boxBindings_) {
    binding.shown = (binding.box->FrameState() & frame_control::kChecked) != 0;
    binding.source->SelectValue = binding.shown;
  }
}

void SettingsWindow::FocusTextBox(SettingsTextBox box) {
  HWND edit = EditOf(box);
  if (edit && GetFocus() != edit && IsWindowVisible(edit) && IsWindowEnabled(window_)) SetFocus(edit);
}

void SettingsWindow::SelectAllText(SettingsTextBox box) {
  HWND edit = EditOf(box);
  if (!edit) return;
  RepaintTexts();  // the text to select is the form's
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
}

void SettingsWindow::CloseWindow() {
  if (closed_) return;
  closed_ = true;
  if (openWindow == this) openWindow = nullptr;
  if (!window_) return;
  ::ShowWindow(window_, SW_HIDE);
  // Deleted once the code that closed it has returned.
  PostMessageW(window_, kGoMessage, 0, 0);
}

}  // namespace lanternfly
