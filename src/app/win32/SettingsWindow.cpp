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

enum ControlId : int {
  kIdDisplayMessage = 201,
  kIdPatternAdd = 202,
  kIdChooseName = 203,
  kIdRadioCutoff = 204,
  kIdDefaultPattern = 205,
};

// The client area and the controls' places at 96 DPI: the category list,
// the buttons and the pages in the window's client area, the other controls
// in their frame's.
constexpr Size kClient{660, 466};
constexpr Rect kCategoryFrame{8, 8, 176, 386};
constexpr Rect kButtonSave{8, 394, 176, 424};
constexpr Rect kButtonCancel{8, 430, 176, 460};
constexpr Rect kPage{184, 8, 652, 460};
constexpr Rect kCategory{14, 32, 162, 58};
constexpr int kCategoryStep = 32;
constexpr int kHeaderHeight = 22;
constexpr int kItemHeight = 16;
// Check boxes across their frame, or in two columns.
constexpr int kBoxLeft = 12, kBoxRight = 434, kBoxSecondLeft = 226, kBoxHeight = 18, kBoxStep = 24, kBoxTop = 32;

// General.
constexpr Rect kFrameTray{10, 32, 458, 112};
constexpr Rect kFrameAutoDisplay{10, 120, 458, 176};
constexpr Rect kFrameProtection{10, 184, 458, 240};
// Channel list.
constexpr Rect kFrameChannelGeneral{10, 32, 458, 88};
constexpr Rect kFrameScanning{10, 96, 458, 226};
// Display message: the variables in two columns of nine.
constexpr Rect kFrameEditMessage{10, 32, 458, 136};
constexpr Rect kTextBoxDisplayMessage{10, 30, 438, 54};
constexpr Rect kTextPreview{10, 60, 438, 96};
constexpr Rect kFrameVariables{10, 142, 458, 378};
constexpr int kVariableTop = 28, kVariableStep = 15, kVariableRows = 9;
constexpr int kVariableLeft[] = {8, 228}, kVariableWidth = 214;
constexpr Rect kLabel1{8, 168, 440, 196};
constexpr Rect kLabel2{8, 198, 440, 226};
constexpr Rect kFrameDefaultPattern{10, 384, 458, 442};
constexpr Rect kListDefaultPattern{10, 28, 250, 220};  // with its list dropped down
// Color patterns.
constexpr Rect kFrameDatabase{10, 32, 458, 186};
constexpr Rect kListPatterns{10, 30, 236, 146};
constexpr Rect kButtonAddPattern{244, 30, 438, 58};
constexpr Rect kButtonEditPattern{244, 64, 438, 92};
constexpr Rect kButtonRemovePattern{244, 98, 438, 126};
constexpr Rect kFrameAddPattern{10, 192, 458, 442};
constexpr Rect kTextPatternAdd{10, 30, 438, 54};
constexpr Rect kTextPreviewPatternAdd{10, 60, 438, 96};
constexpr Rect kFrameChooseName{10, 100, 438, 156};
constexpr Rect kTextChooseName{10, 28, 418, 50};
constexpr Rect kButtonAddThisPattern{10, 162, 220, 190};
constexpr Rect kButtonCancelAddPattern{228, 162, 438, 190};
constexpr Rect kLabel3{10, 196, 438, 244};
// Display extras: the two word lists side by side.
constexpr Rect kFrameRandomWords{10, 32, 230, 254};
constexpr Rect kFrameFilterWords{238, 32, 458, 254};
constexpr Rect kWordList{10, 30, 210, 158};
constexpr Rect kButtonAddWord{10, 164, 210, 188};
constexpr Rect kButtonRemoveWord{10, 192, 210, 216};
constexpr Rect kFrameRadioCutoff{10, 262, 458, 318};
constexpr Rect kTextRadioCuttoff{10, 28, 438, 50};
constexpr Rect kLabel4{14, 326, 454, 354};
constexpr Rect kLabel5{14, 358, 454, 386};
constexpr Rect kLabel6{14, 390, 454, 440};

constexpr Colour kFrameFill = 0xF5ECDE;

const FontSpec kFrameFont{u"Tahoma", 8.25, true};
const FontSpec kCategoryFont{u"Comic Sans MS", 12};
const FontSpec kSmallFont{u"MS Sans Serif", 8.25};
const FontSpec kTahoma{u"Tahoma", 9.75};
const FontSpec kWordButtonFont{u"Verdana", 8.25};
const FontSpec kPreviewFont{u"System", 9.75, true};

constexpr char16_t kLabel1Text[] = u"[d]Text[/d] = Patterns text according to your default (Selected) pattern below.";
constexpr char16_t kLabel2Text[] =
    u"[c,skip#,col1,col2,..]Text[/c] = Temporary pattern. You can have up to 100 colors. 0 = random.";
constexpr char16_t kLabel3Text[] =
    u"Format: [c,skip#,col1,col2,col3]text for testing[/c] - You can have up to 100 colors, and skip up to 10 "
    u"letters.     Both 1-38 and 51-75 color numbers work here. For random colors use 0.";
constexpr char16_t kLabel4Text[] =
    u"Random Word List: Use %RAND% in your display to have a word picked from this list at random.";
constexpr char16_t kLabel5Text[] =
    u"Filter Word List: If any of the words in your filter list are found in the songname or artist, it won't send "
    u"the display.";
constexpr char16_t kLabel6Text[] =
    u"Radio Cut Off: This will cut off text from the end of your song name that radio's add. For example, with "
    u"\" - TOP40 Hits\" here, \"Hey - TOP40 Hits\" is shown as \"Hey\".";

Rect Below(const Rect& rect, int rows, int step) {
  return Rect{rect.left, rect.top + rows * step, rect.right, rect.bottom + rows * step};
}

// Across the frame (column -1), or in the first or second of two columns.
Rect BoxPlace(int column, int row) {
  const int left = column == 1 ? kBoxSecondLeft : kBoxLeft;
  const int right = column == 0 ? kBoxSecondLeft - 8 : kBoxRight;
  const int top = kBoxTop + kBoxStep * row;
  return Rect{left, top, right, top + kBoxHeight};
}

Rect VariablePlace(int index) {
  const int left = kVariableLeft[index / kVariableRows];
  const int top = kVariableTop + kVariableStep * (index % kVariableRows);
  return Rect{left, top, left + kVariableWidth, top + kVariableStep};
}

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

class SettingsWindow::ModalShell final : public Shell {
 public:
  ModalShell(Shell& shell, const HWND& window) : shell_(shell), window_(window) {}

  MessageAnswer ShowMessage(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                            MessageIcon icon) override {
    Modal modal(window_);
    return shell_.ShowMessage(text, title, buttons, icon);
  }
  std::u16string AskText(std::u16string_view prompt, std::u16string_view title) override {
    Modal modal(window_);
    return shell_.AskText(prompt, title);
  }
  void OpenUrl(std::u16string_view address) override { shell_.OpenUrl(address); }
  void NotifyIcon(TrayCommand command, const TrayIconData& data) override { shell_.NotifyIcon(command, data); }
  void EndProgram() override { shell_.EndProgram(); }

 private:
  class Modal {
   public:
    explicit Modal(HWND window) : window_(window), disabled_(window && IsWindowEnabled(window)) {
      if (disabled_) EnableWindow(window_, FALSE);
    }
    ~Modal() {
      if (!disabled_) return;
      EnableWindow(window_, TRUE);
      if (IsWindowVisible(window_)) SetForegroundWindow(window_);
    }
    Modal(const Modal&) = delete;
    Modal& operator=(const Modal&) = delete;

   private:
    HWND window_;
    bool disabled_;
  };

  Shell& shell_;
  const HWND& window_;
};

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
    : shell_(std::make_unique<ModalShell>(system.shell, window_)),
      systemTimers_(SystemTimers()),
      timers_(std::make_unique<CountedTimers>(systemTimers_.get(), *this)),
      system_{system.desktop, system.files, *shell_, system.iTunes},
      form_(system_, *timers_, *this, state, std::move(mainWindow)),
      categoryFrame_(SystemColourOf(15)),
      frameTray_(kFrameFill),
      frameAutoDisplay_(kFrameFill),
      frameProtection_(kFrameFill),
      frameChannelGeneral_(kFrameFill),
      frameScanning_(kFrameFill),
      frameEditMessage_(kFrameFill),
      frameVariables_(kFrameFill),
      frameDefaultPattern_(kFrameFill),
      frameDatabase_(kFrameFill),
      frameAddPattern_(kFrameFill),
      frameChooseName_(kFrameFill),
      frameRandomWords_(kFrameFill),
      frameFilterWords_(kFrameFill),
      frameRadioCutoff_(kFrameFill) {
  HDC screen = GetDC(nullptr);
  if (screen) {
    dpi_ = std::max(96, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  icon_ = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  if (!icon_) icon_ = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  textFont_ = CreateGdiFont(kTahoma);
  SetDesignValues();
  Bind();
  created_ = systemTimers_ && CreateTopWindow(owner) && PlaceControls() && PlaceSystemControls();
}

SettingsWindow::~SettingsWindow() {
  if (openWindow == this) openWindow = nullptr;
  // The controls' windows first, children before their frames.
  while (!shown_.empty()) shown_.pop_back();
  if (window_) DestroyWindow(window_);
  if (textFont_) DeleteObject(textFont_);
}

bool SettingsWindow::CreateTopWindow(HWND owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterProgramClass(kSettingsWindowClass, &ProgramWindowProcedure<SettingsWindow>, icon_, nullptr))
    return false;

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Scaled(kClient.width), Scaled(kClient.height)};
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
  CreateWindowExW(0, kSettingsWindowClass, L"Settings", style, x, y, width, height, nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

void SettingsWindow::SetDesignValues() {
  const struct {
    PanelFrame* frame;
    const char16_t* caption;  // nullptr: the form's
  } frames[] = {
      {&categoryFrame_, u"Select Category:"},
      {&pages_[0], nullptr},
      {&pages_[1], nullptr},
      {&pages_[2], nullptr},
      {&pages_[3], nullptr},
      {&pages_[4], nullptr},
      {&frameTray_, u"Tray Icon Settings:"},
      {&frameAutoDisplay_, u"Auto Display Settings:"},
      {&frameProtection_, u"User Text Interruption Protection:"},
      {&frameChannelGeneral_, u"General Settings:"},
      {&frameScanning_, u"Client Scanning Settings:"},
      {&frameEditMessage_, u"Edit your display message:"},
      {&frameVariables_, u"Variables Avaliable:"},
      {&frameDefaultPattern_, u"Select Default Pattern:"},
      {&frameDatabase_, u"Current Patterns In Database:"},
      {&frameAddPattern_, nullptr},
      {&frameChooseName_, nullptr},
      {&frameRandomWords_, u"Random Word List:"},
      {&frameFilterWords_, u"Filter Word List:"},
      {&frameRadioCutoff_, u"Radio Cutoff Text:"},
  };
  for (const auto& [frame, caption] : frames) {
    frame->SetStyle(3);  // first: the style brings its own colours
    frame->SetHeaderStyle(1);
    frame->SetRoundedCorner(false);
    frame->SetAlignment(0);
    frame->SetFillColor(kFrameFill);
    frame->SetTextBoxColor(0xB0EFF0);
    frame->SetTextBoxHeight(Scaled(kHeaderHeight));
    frame->SetFont(kFrameFont);
    if (caption) frame->SetCaption(caption);
  }

  for (PlainLabel& label : categories_) {
    label.SetBackColor(kFrameFill);
    label.SetFont(kCategoryFont);
    label.SetWordWrap(false);
  }
  for (PlainLabel& label : variables_) {
    label.SetBackColor(kFrameFill);
    label.SetFont(kSmallFont);
    label.SetWordWrap(false);
  }
  const struct {
    PlainLabel* label;
    const char16_t* caption;
  } helps[] = {{&label1_, kLabel1Text}, {&label2_, kLabel2Text}, {&label3_, kLabel3Text},
               {&label4_, kLabel4Text}, {&label5_, kLabel5Text}, {&label6_, kLabel6Text}};
  for (const auto& [label, caption] : helps) {
    label->SetBackColor(kFrameFill);
    label->SetFont(kSmallFont);
    label->SetCaption(caption);
  }

  for (CntrlBox& box : boxes_) {
    box.SetFont(kSmallFont);
    box.SetBackColor(kFrameFill);
  }

  for (HyperLabel* preview : {&preview_, &patternPreview_}) {
    preview->SetBackColor(0);
    preview->SetForeColor(0xFFFFFF);
    preview->SetFont(kPreviewFont);
    preview->SetAutoSize(true);
  }

  const struct {
    iButton* button;
    const char16_t* caption;  // nullptr: the form's
    const FontSpec& font;
  } buttons[] = {
      {&buttonSave_, u"Save Changes", kTahoma},
      {&buttonCancel_, u"Cancel Changes", kTahoma},
      {&buttonAddPattern_, nullptr, kTahoma},
      {&buttonEditPattern_, nullptr, kTahoma},
      {&buttonRemovePattern_, u"Remove Selected Pattern", kTahoma},
      {&buttonAddThisPattern_, nullptr, kTahoma},
      {&buttonCancelAddPattern_, u"Cancel", kTahoma},
      {&buttonAddRandomWord_, u"Add New Word", kWordButtonFont},
      {&buttonRemoveRandomWord_, u"Remove Selected", kWordButtonFont},
      {&buttonAddFilterWord_, u"Add New Word", kWordButtonFont},
      {&buttonRemoveFilterWord_, u"Remove Selected", kWordButtonFont},
  };
  for (const auto& [button, caption, font] : buttons) {
    button->SetStyle(8);
    button->SetIconAlign(0);
    button->SetNonThemeStyle(0);
    button->SetToolTipType(0);
    button->SetFont(font);
    if (caption) button->SetCaption(caption);
  }

  iList& patterns = form_.Editor.ListPatterns;
  patterns.SetFontNormal(0);
  patterns.SetFontSelected(0x404040);
  patterns.SetBackSelected(0xF5ECCC);
  patterns.SetBackSelectedG1(0xF5ECDE);
  patterns.SetBackSelectedG2(0xEBBFA0);
  patterns.SetSelectModeStyle(iList::kStyleVerticalGradient);
  for (iList* list : {&patterns, &form_.Words.ListRandomWords, &form_.Words.ListFilterWords}) {
    list->SetFont(kTahoma);
    list->SetItemHeight(Scaled(kItemHeight));
  }
}

// What each control shows of the form, and where its clicks go.
void SettingsWindow::Bind() {
  SettingsForm& form = form_;
  PatternEditor& editor = form_.Editor;
  WordLists& words = form_.Words;

  Label* categories[] = {&form.CatGeneral, &form.CatChannelList, &form.CatDisplayMessage, &form.CatPatterns,
                         &form.CatDisplayExtras};
  void (SettingsForm::*categoryClicks[])() = {&SettingsForm::CatGeneral_Click, &SettingsForm::CatChannelList_Click,
                                               &SettingsForm::CatDisplayMessage_Click,
                                               &SettingsForm::CatPatterns_Click, &SettingsForm::CatDisplayExtras_Click};
  for (int i = 0; i < 5; ++i) {
    labels_.push_back({&categories_[i], categories[i], {}});
    categories_[i].Click = [this, click = categoryClicks[i]] { (form_.*click)(); };
  }
  const Label* variables[] = {&form.VariableArtistSong,       &form.VariableArtist,        &form.VariableSongName,
                              &form.VariableBitrate,          &form.VariableChannels,      &form.VariableChannelMode,
                              &form.VariableFrequency,        &form.VariablePlayListLength,
                              &form.VariablePlayListPosition, &form.VariableSongLength,    &form.VariableSongPosition,
                              &form.VariableSongRemaining,    &form.VariableFileSize,      &form.VariableAlbum,
                              &form.VariableYear,             &form.VariableGenre,         &form.VariableTrackNumber,
                              &form.VariableRand};
  for (int i = 0; i < 18; ++i) labels_.push_back({&variables_[i], variables[i], {}});
  for (LabelBinding& binding : labels_) binding.label->SetCaption(binding.source->Caption);

  const Frame* pages[] = {&form.FrameGeneral, &form.FrameChannelList, &form.FrameDisplayMessage,
                          &form.FrameSavedPatterns, &form.FrameDisplayExtra};
  for (int i = 0; i < 5; ++i) frames_.push_back({&pages_[i], pages[i], {}});
  frames_.push_back({&frameAddPattern_, &editor.FrameAddPattern, {}});
  frames_.push_back({&frameChooseName_, &editor.FrameChooseName, {}});
  for (FrameBinding& binding : frames_) binding.frame->SetCaption(binding.source->Caption);

  CheckBox* boxes[] = {&form.SelectShowTrayIcon, &form.SelectHideOnMinimize, &form.SelectAutoDisplay,
                       &form.SelectInterruptionProtection, &form.SelectAutoRefresh, &form.SelectScanRobo,
                       &form.SelectScanWinMX, &form.SelectScanRabbit, &form.SelectScanZCB, &form.SelectScanOuka,
                       &form.SelectScanNushi, &form.SelectScanMetis};
  for (int i = 0; i < 12; ++i) {
    boxBindings_.push_back({&boxes_[i], boxes[i], false});
    boxes_[i].SetCaption(boxes[i]->Caption);
  }
  // A click ticks the box itself; the form keeps the value from there.
  for (BoxBinding& binding : boxBindings_) binding.box->Click = [this] { TakeBoxes(); };

  buttons_ = {{&buttonAddPattern_, &editor.ButtonAddPattern, {}},
              {&buttonEditPattern_, &editor.ButtonEditPattern, {}},
              {&buttonAddThisPattern_, &editor.ButtonAddThisPattern, {}}};
  for (ButtonBinding& binding : buttons_) binding.button->SetCaption(binding.source->Caption);
  const struct {
    iButton* button;
    std::function<void()> click;
  } clicks[] = {
      {&buttonSave_,
       [this] {
         TakeBoxes();
         form_.ButtonSave_Click();
       }},
      {&buttonCancel_, [this] { form_.ButtonCancel_Click(); }},
      {&buttonAddPattern_, [this] { form_.Editor.ButtonAddPattern_Click(); }},
      {&buttonEditPattern_, [this] { form_.Editor.ButtonEditPattern_Click(); }},
      {&buttonRemovePattern_, [this] { form_.Editor.ButtonRemovePattern_Click(); }},
      {&buttonAddThisPattern_, [this] { form_.Editor.ButtonAddThisPattern_Click(); }},
      {&buttonCancelAddPattern_, [this] { form_.Editor.ButtonCancelAddPattern_Click(); }},
      {&buttonAddRandomWord_, [this] { form_.Words.ButtonAddRandomWord_Click(); }},
      {&buttonRemoveRandomWord_, [this] { form_.Words.ButtonRemoveRandomWord_Click(); }},
      {&buttonAddFilterWord_, [this] { form_.Words.ButtonAddFilterWord_Click(); }},
      {&buttonRemoveFilterWord_, [this] { form_.Words.ButtonRemoveFilterWord_Click(); }},
  };
  for (const auto& [button, click] : clicks) button->Click = click;

  texts_ = {{kIdDisplayMessage, &form.TextBoxDisplayMessage, nullptr, &SettingsWindow::DisplayMessageChanged},
            {kIdPatternAdd, &editor.TextPatternAdd, nullptr, &SettingsWindow::PatternAddChanged},
            {kIdChooseName, &editor.TextChooseName, nullptr, nullptr},
            {kIdRadioCutoff, &words.TextRadioCuttoff, nullptr, nullptr}};
  previews_ = {{&preview_, &form.TextPreview}, {&patternPreview_, &editor.TextPreviewPatternAdd}};
}

bool SettingsWindow::PlaceControls() {
  const struct {
    Control* control;
    const Control* frame;  // nullptr: the window itself
    Rect place;
    const char16_t* kind;
  } placements[] = {
      {&categoryFrame_, nullptr, kCategoryFrame, u"PanelFrame"},
      {&categories_[0], &categoryFrame_, Below(kCategory, 0, kCategoryStep), u"PlainLabel"},
      {&categories_[1], &categoryFrame_, Below(kCategory, 1, kCategoryStep), u"PlainLabel"},
      {&categories_[2], &categoryFrame_, Below(kCategory, 2, kCategoryStep), u"PlainLabel"},
      {&categories_[3], &categoryFrame_, Below(kCategory, 3, kCategoryStep), u"PlainLabel"},
      {&categories_[4], &categoryFrame_, Below(kCategory, 4, kCategoryStep), u"PlainLabel"},
      {&buttonSave_, nullptr, kButtonSave, u"iButton"},
      {&buttonCancel_, nullptr, kButtonCancel, u"iButton"},
      {&pages_[0], nullptr, kPage, u"PanelFrame"},
      {&pages_[1], nullptr, kPage, u"PanelFrame"},
      {&pages_[2], nullptr, kPage, u"PanelFrame"},
      {&pages_[3], nullptr, kPage, u"PanelFrame"},
      {&pages_[4], nullptr, kPage, u"PanelFrame"},
      // General.
      {&frameTray_, &pages_[0], kFrameTray, u"PanelFrame"},
      {&boxes_[0], &frameTray_, BoxPlace(-1, 0), u"CntrlBox"},
      {&boxes_[1], &frameTray_, BoxPlace(-1, 1), u"CntrlBox"},
      {&frameAutoDisplay_, &pages_[0], kFrameAutoDisplay, u"PanelFrame"},
      {&boxes_[2], &frameAutoDisplay_, BoxPlace(-1, 0), u"CntrlBox"},
      {&frameProtection_, &pages_[0], kFrameProtection, u"PanelFrame"},
      {&boxes_[3], &frameProtection_, BoxPlace(-1, 0), u"CntrlBox"},
      // Channel list: the scan switches in two columns.
      {&frameChannelGeneral_, &pages_[1], kFrameChannelGeneral, u"PanelFrame"},
      {&boxes_[4], &frameChannelGeneral_, BoxPlace(-1, 0), u"CntrlBox"},
      {&frameScanning_, &pages_[1], kFrameScanning, u"PanelFrame"},
      {&boxes_[5], &frameScanning_, BoxPlace(0, 0), u"CntrlBox"},
      {&boxes_[6], &frameScanning_, BoxPlace(0, 1), u"CntrlBox"},
      {&boxes_[7], &frameScanning_, BoxPlace(0, 2), u"CntrlBox"},
      {&boxes_[8], &frameScanning_, BoxPlace(0, 3), u"CntrlBox"},
      {&boxes_[9], &frameScanning_, BoxPlace(1, 0), u"CntrlBox"},
      {&boxes_[10], &frameScanning_, BoxPlace(1, 1), u"CntrlBox"},
      {&boxes_[11], &frameScanning_, BoxPlace(1, 2), u"CntrlBox"},
      // Display message.
      {&frameEditMessage_, &pages_[2], kFrameEditMessage, u"PanelFrame"},
      {&preview_, &frameEditMessage_, kTextPreview, u"HyperLabel"},
      {&frameVariables_, &pages_[2], kFrameVariables, u"PanelFrame"},
      {&label1_, &frameVariables_, kLabel1, u"PlainLabel"},
      {&label2_, &frameVariables_, kLabel2, u"PlainLabel"},
      {&frameDefaultPattern_, &pages_[2], kFrameDefaultPattern, u"PanelFrame"},
      // Color patterns.
      {&frameDatabase_, &pages_[3], kFrameDatabase, u"PanelFrame"},
      {&form_.Editor.ListPatterns, &frameDatabase_, kListPatterns, u"iList"},
      {&buttonAddPattern_, &frameDatabase_, kButtonAddPattern, u"iButton"},
      {&buttonEditPattern_, &frameDatabase_, kButtonEditPattern, u"iButton"},
      {&buttonRemovePattern_, &frameDatabase_, kButtonRemovePattern, u"iButton"},
      {&frameAddPattern_, &pages_[3], kFrameAddPattern, u"PanelFrame"},
      {&patternPreview_, &frameAddPattern_, kTextPreviewPatternAdd, u"HyperLabel"},
      {&frameChooseName_, &frameAddPattern_, kFrameChooseName, u"PanelFrame"},
      {&buttonAddThisPattern_, &frameAddPattern_, kButtonAddThisPattern, u"iButton"},
      {&buttonCancelAddPattern_, &frameAddPattern_, kButtonCancelAddPattern, u"iButton"},
      {&label3_, &frameAddPattern_, kLabel3, u"PlainLabel"},
      // Display extras.
      {&frameRandomWords_, &pages_[4], kFrameRandomWords, u"PanelFrame"},
      {&form_.Words.ListRandomWords, &frameRandomWords_, kWordList, u"iList"},
      {&buttonAddRandomWord_, &frameRandomWords_, kButtonAddWord, u"iButton"},
      {&buttonRemoveRandomWord_, &frameRandomWords_, kButtonRemoveWord, u"iButton"},
      {&frameFilterWords_, &pages_[4], kFrameFilterWords, u"PanelFrame"},
      {&form_.Words.ListFilterWords, &frameFilterWords_, kWordList, u"iList"},
      {&buttonAddFilterWord_, &frameFilterWords_, kButtonAddWord, u"iButton"},
      {&buttonRemoveFilterWord_, &frameFilterWords_, kButtonRemoveWord, u"iButton"},
      {&frameRadioCutoff_, &pages_[4], kFrameRadioCutoff, u"PanelFrame"},
      {&label4_, &pages_[4], kLabel4, u"PlainLabel"},
      {&label5_, &pages_[4], kLabel5, u"PlainLabel"},
      {&label6_, &pages_[4], kLabel6, u"PlainLabel"},
  };
  for (const auto& placement : placements) {
    HWND parent = placement.frame ? Shown(*placement.frame) : window_;
    std::unique_ptr<Win32ControlWindow> shown =
        Win32ControlWindow::Create(*placement.control, parent, Scaled(placement.place), placement.kind);
    if (!shown) return false;
    shown_.push_back(std::move(shown));
  }
  for (int i = 0; i < 18; ++i) {
    std::unique_ptr<Win32ControlWindow> shown =
        Win32ControlWindow::Create(variables_[i], Shown(frameVariables_), Scaled(VariablePlace(i)), u"PlainLabel");
    if (!shown) return false;
    shown_.push_back(std::move(shown));
  }
  // As the form has them: the pages and the editor wait for the first
  // repaint, which shows the page it names.
  for (FrameBinding& binding : frames_) {
    binding.shown = Frame{binding.source->Caption, false};
    ::ShowWindow(Shown(*binding.frame), SW_HIDE);
  }
  for (LabelBinding& binding : labels_) binding.shown = Label{binding.source->Caption};
  for (ButtonBinding& binding : buttons_) binding.shown = Button{binding.source->Caption};
  return true;
}

// The text boxes and the drop-down list: the system's controls, in the
// frames' windows, which pass their notifications on to this window.
bool SettingsWindow::PlaceSystemControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const struct {
    int id;
    const Control* frame;
    Rect place;
  } edits[] = {{kIdDisplayMessage, &frameEditMessage_, kTextBoxDisplayMessage},
               {kIdPatternAdd, &frameAddPattern_, kTextPatternAdd},
               {kIdChooseName, &frameChooseName_, kTextChooseName},
               {kIdRadioCutoff, &frameRadioCutoff_, kTextRadioCuttoff}};
  for (const auto& [id, frame, place] : edits) {
    const Rect at = Scaled(place);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                at.left, at.top, at.Width(), at.Height(), Shown(*frame),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!edit) return false;
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);
    for (TextBinding& text : texts_)
      if (text.id == id) text.edit = edit;
  }
  // The two boxes that take the focus when the pointer moves over them.
  for (HWND edit : {EditOf(SettingsTextBox::kDisplayMessage), EditOf(SettingsTextBox::kPatternAdd)}) {
    SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    standardEdit = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProcedure)));
  }

  const Rect at = Scaled(kListDefaultPattern);
  defaultPattern_ = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                                            CBS_DROPDOWNLIST | CBS_HASSTRINGS,
                                    at.left, at.top, at.Width(), at.Height(), Shown(frameDefaultPattern_),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdDefaultPattern)), instance, nullptr);
  if (!defaultPattern_) return false;
  SendMessageW(defaultPattern_, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);
  return true;
}

HWND SettingsWindow::Shown(const Control& control) const {
  for (const auto& shown : shown_)
    if (&shown->Shown() == &control) return shown->Handle();
  return nullptr;
}

Rect SettingsWindow::Scaled(const Rect& rect) const {
  return Rect{Scaled(rect.left), Scaled(rect.top), Scaled(rect.right), Scaled(rect.bottom)};
}

HWND SettingsWindow::EditOf(SettingsTextBox box) const {
  const int id = box == SettingsTextBox::kDisplayMessage ? kIdDisplayMessage : kIdPatternAdd;
  for (const TextBinding& text : texts_)
    if (text.id == id) return text.edit;
  return nullptr;
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
  if (!from || closed_) return 0;
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == kIdDefaultPattern && code == CBN_SELCHANGE) {
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
      PostMessageW(window_, kTextChanged, static_cast<WPARAM>(id), 0);
    }
  }
  return 0;
}

LRESULT SettingsWindow::OnTextChanged(WPARAM id, LPARAM) {
  for (TextBinding& text : texts_) {
    if (text.id != static_cast<int>(id) || !text.pending) continue;
    text.pending = false;
    if (!closed_) (this->*text.changed)();
  }
  return 0;
}

LRESULT SettingsWindow::OnClose(WPARAM, LPARAM) {
  // The close box: the form decides; the window goes only through CloseWindow.
  if (!closed_) form_.Form_QueryUnload();
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
