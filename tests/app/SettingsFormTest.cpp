// The settings window's behaviour on the simulated desktop: closing, saving,
// the preview, the pattern editor and the word lists.

#include "app/SettingsForm.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/HeadlessSettingsWindow.h"
#include "message/ColorPatternParser.h"
#include "message/WinMXColorText.h"
#include "platform/sim/SimSystem.h"
#include "platform/sim/SimTimers.h"
#include "settings/SettingsFile.h"
#include "text/Text.h"

namespace lanternfly {
namespace {

using Names = std::vector<std::u16string>;

ColorPattern Named(std::u16string name, std::vector<std::int32_t> colours, std::int32_t skip = 1) {
  ColorPattern pattern{std::move(name), {}, static_cast<std::int32_t>(colours.size()), skip};
  std::copy(colours.begin(), colours.end(), pattern.Colors.begin());
  return pattern;
}

Names Items(const ListModel& list) {
  Names items;
  for (int index = 0; index < list.ListCount(); ++index) items.push_back(list.ItemText(index));
  return items;
}

// A fresh setup, changed as a test says, with the settings window open on it.
struct Rig {
  explicit Rig(const std::function<void(AppState&)>& setup = {},
               std::vector<ColorPattern> patterns = {RainbowLightPattern(), Named(u"AB", {4}), Named(u"Other", {8})},
               const std::function<void(Rig&)>& beforeLoad = {}) {
    state.settings = DefaultSettings();
    for (const ColorPattern& pattern : patterns) state.patterns.AddPattern(pattern);
    state.patterns.DefaultPattern = kRainbowLightName;
    if (setup) setup(state);
    if (beforeLoad) beforeLoad(*this);
    form.Form_Load();
  }

  SimSystem machine;
  SimShell& shell = machine.shell;
  SimTimers timers;
  HeadlessSettingsWindow window;
  AppState state;
  TrayIconData trayIcon;
  int comeBacks = 0;
  SettingsForm form{machine.system, timers, window, state,
                    {WindowHandle{0x5150}, 0x7A7, trayIcon, [this] { ++comeBacks; }}};
  PatternEditor& editor = form.Editor;
};

// A template typed as soon as the window shows is the one saved: the load
// lets messages run, and must not overwrite it.
TEST(SettingsFormTest, WhatIsTypedOnceTheWindowShowsIsSaved) {
  std::function<void()> typeOnceShown;
  bool typed = false;
  Rig rig({}, {RainbowLightPattern()}, [&](Rig& r) {
    typeOnceShown = [&] {
      if (!r.window.shown) return r.machine.sim.DuringNextPump(typeOnceShown);
      r.form.TextBoxDisplayMessage = u"typed at once";
      r.form.TextBoxDisplayMessage_Change();
      typed = true;
    };
    r.machine.sim.DuringNextPump(typeOnceShown);
  });
  if (!typed) typeOnceShown();
  rig.form.ButtonSave_Click();
  EXPECT_EQ(rig.state.settings.DisplayFormat, u"typed at once");
}

TEST(SettingsFormTest, ClosingDropsOrSavesTheChangesAndBringsTheMainWindowBack) {
  using Close = void (SettingsForm::*)();
  const struct {
    Close close;
    std::optional<MessageAnswer> answer;
    bool closed, saved;
  } cases[] = {
      {&SettingsForm::ButtonCancel_Click, MessageAnswer::kNo, false, false},
      {&SettingsForm::ButtonCancel_Click, MessageAnswer::kYes, true, false},
      {&SettingsForm::Form_QueryUnload, MessageAnswer::kYes, true, false},  // the close box
      {&SettingsForm::ButtonSave_Click, std::nullopt, true, true},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.form.SelectAutoDisplay.SelectValue = false;
    rig.editor.AddPatternLocal(Named(u"New", {5}));
    if (c.answer) rig.shell.answers.push_back(*c.answer);
    (rig.form.*c.close)();

    ASSERT_EQ(rig.shell.messages.size(), c.answer ? 1u : 0u);
    for (const SimShell::Message& question : rig.shell.messages) EXPECT_EQ(question.title, u"Wait!");
    EXPECT_EQ(rig.window.closes + rig.comeBacks, c.closed ? 2 : 0);
    EXPECT_EQ(rig.state.settings.AutoDisplay, !c.saved);
    EXPECT_EQ(rig.state.patterns.Slot(4).Name, c.saved ? u"New" : u"");
    int repaints = rig.window.repaints;
    rig.timers.Advance(kPreviewInterval);
    EXPECT_EQ(rig.window.repaints > repaints, !c.closed) << "the preview's timer";
  }
}

TEST(SettingsFormTest, ASaveClickedWhileSavingClosesOnce) {
  Rig rig;
  rig.machine.sim.DuringNextPump([&] { rig.form.ButtonSave_Click(); });
  rig.form.ButtonSave_Click();
  EXPECT_EQ(rig.comeBacks + rig.window.closes, 2);
}

TEST(SettingsFormTest, SavingCopiesTheWindowIn) {
  Rig rig([](AppState& state) { state.settings.RandomWords[0] = u"gone"; });
  Settings expected = rig.state.settings;
  rig.form.SelectScanZCB.SelectValue = expected.ScanZCB = false;
  rig.form.SelectHideOnMinimize.SelectValue = expected.HideOnMinimize = false;
  rig.form.Words.TextRadioCuttoff = u"a, b";
  expected.RadioCutoffText = u"a b";
  rig.form.TextBoxDisplayMessage = expected.DisplayFormat = u"x,y";
  rig.form.Words.WorkingRandomWords[0] = expected.RandomWords[0] = u"";
  rig.form.Words.WorkingFilterWords[99] = expected.FilterWords[99] = u"last";
  rig.form.ListDefaultPattern.Text = u"Other";
  rig.editor.ListPatterns.SetItemSelected(1, true);
  rig.editor.ButtonRemovePattern_Click();  // "AB"
  rig.form.ButtonSave_Click();

  EXPECT_EQ(rig.state.settings, expected);
  EXPECT_EQ(rig.state.patterns.DefaultPattern, u"Other");
  EXPECT_EQ(rig.state.patterns.Slot(2), ColorPattern{});
  EXPECT_EQ(rig.state.patterns.Slot(3).Name, u"Other");
}

TEST(SettingsFormTest, ThePreviewColoursWithTheWorkingPatternTheDropDownNames) {
  Rig rig(
      [](AppState& state) {
        state.patterns.Slot(101) = Named(u"Far", {5});
        state.settings.DisplayFormat = u"[d]ab[/d]";
      },
      {RainbowLightPattern(), Named(u"Red", {4}), Named(u"Red", {8})});
  EXPECT_EQ(rig.form.TextPreview, WinMXToMarkup(u"#c51#ab"));
  // The last of the name wins; beyond slot 100, the temporary pattern.
  for (const auto& [choice, expanded] : {std::pair(u"Red", u"#c8#a#c8#b"), std::pair(u"Far", u"#c?#a#c?#b")}) {
    rig.form.ListDefaultPattern.Text = choice;
    rig.timers.Advance(kPreviewInterval);
    EXPECT_EQ(rig.form.TextPreview, WinMXToMarkup(expanded)) << Utf16ToUtf8(choice);
  }
  // The page shows the choice at once, not the saved default.
  rig.form.ListDefaultPattern.Text = u"Red";
  rig.form.CatDisplayMessage_Click();
  EXPECT_EQ(rig.form.TextPreview, WinMXToMarkup(u"#c8#a#c8#b"));
  EXPECT_EQ(rig.state.patterns.DefaultPattern, kRainbowLightName);
}

TEST(PatternEditorTest, AnEntryIsStoredAsItWillBeSavedOrRefusedWithTheEditorOpen) {
  constexpr std::u16string_view kEmpty = u"Please enter a name for this pattern!";
  constexpr std::u16string_view kTaken =
      u"Please choose another name for this pattern. The one that is provided is already taken!";
  const struct {
    int edited;  // the entry edited, or -1 to add
    std::u16string name, entry;
    std::u16string_view text, title;
  } cases[] = {
      {-1, u"", u"[c,1,2]x[/c]", kEmpty, u"Error"},
      {-1, u",=", u"[c,1,2]x[/c]", kEmpty, u"Error"},  // nothing left to store
      {-1, u"X", u"hello", u"No beginning script id was found [c]", u"Lanternfly"},
      {-1, u"X", u"[c,5]x[/c]", u"Invalid Color Script Format", u"Lanternfly"},
      {-1, u"X", u"[c,1,2]x", u"No ending script id was found [/c]", u"Lanternfly"},
      {-1, u"A,B", u"[c,1,2]x[/c]", kTaken, u"Error!"},
      {-1, u"A=B", u"[c,1,2]x[/c]", kTaken, u"Error!"},
      {2, u"AB", u"[c,1,2]x[/c]", kTaken, u"Error!"},
      {-1, u"Full", u"[c,1,2]x[/c]", u"Your pattern database is full. Please delete a pattern to add more!", u"Error"},
  };
  for (const auto& c : cases) {
    Rig rig;
    PatternEditor& editor = rig.editor;
    while (c.name == u"Full" && editor.AddPatternLocal(Named(u"Filler", {1}))) {}
    if (c.edited >= 0) editor.ListPatterns.SetItemSelected(c.edited, true);
    c.edited >= 0 ? editor.ButtonEditPattern_Click() : editor.ButtonAddPattern_Click();
    PatternEditor::Mode mode = editor.State();
    editor.TextChooseName = c.name;
    editor.TextPatternAdd = c.entry;
    editor.ButtonAddThisPattern_Click();

    ASSERT_EQ(rig.shell.messages.size(), 1u) << Utf16ToUtf8(c.name + u" " + c.entry);
    EXPECT_EQ(rig.shell.messages[0].text, c.text);
    EXPECT_EQ(rig.shell.messages[0].title, c.title);
    EXPECT_EQ(rig.shell.messages[0].icon, c.title == u"Lanternfly" ? MessageIcon::kNone : MessageIcon::kStop);
    EXPECT_EQ(editor.State(), mode);
    EXPECT_EQ(Items(editor.ListPatterns), (Names{u"Rainbow Light", u"AB", u"Other"}));
  }
  Rig rig;
  rig.editor.ButtonAddPattern_Click();
  rig.editor.TextChooseName = u"New,One";
  rig.editor.TextPatternAdd = u"[c,3,51,52]x[/c][c,1,7]y[/c]";
  rig.editor.ButtonAddThisPattern_Click();
  EXPECT_EQ(rig.editor.WorkingPatterns.Slot(4), Named(u"NewOne", {51, 52}, 3));
  EXPECT_EQ(rig.form.ListDefaultPattern.Items.back(), u"NewOne");
}

// Two patterns of one name come from a settings file that holds both.
TEST(PatternEditorTest, OfTwoPatternsOfANameOnlyTheOneActedOnChanges) {
  const std::vector<ColorPattern> twins{Named(u"Twin", {1}), Named(u"Twin", {2}), RainbowLightPattern()};
  Rig renamed({}, twins);
  renamed.editor.ListPatterns.SetItemSelected(0, true);
  renamed.editor.ButtonEditPattern_Click();
  renamed.editor.TextChooseName = u"Solo";
  renamed.editor.ButtonAddThisPattern_Click();
  EXPECT_EQ(renamed.form.ListDefaultPattern.Items, (Names{u"Solo", u"Twin", u"Rainbow Light"}));

  Rig removed({}, twins);
  removed.editor.ListPatterns.SetItemSelected(1, true);
  removed.editor.ButtonRemovePattern_Click();
  EXPECT_EQ(removed.form.ListDefaultPattern.Items, (Names{u"Twin", u"Rainbow Light"}));
}

TEST(WordListsTest, AWordIsStoredWithoutWhatWouldEndItsField) {
  const struct {
    bool random;
    std::optional<std::u16string> typed;  // nothing: the input box cancelled
    std::u16string stored;                // empty: refused with this title
    std::u16string_view title;
  } cases[] = {{true, std::nullopt, u"", u"Error"},
               {false, std::nullopt, u"", u"Error!"},
               {false, u",", u"", u"Error!"},
               {true, u"a,b", u"ab", u""},
               {false, u"x\r\ny", u"xy", u""}};
  for (const auto& c : cases) {
    Rig rig;
    WordLists& words = rig.form.Words;
    if (c.typed) rig.shell.typed.push_back(*c.typed);
    c.random ? words.ButtonAddRandomWord_Click() : words.ButtonAddFilterWord_Click();
    EXPECT_EQ((c.random ? words.WorkingRandomWords : words.WorkingFilterWords)[0], c.stored);
    Names listed = c.stored.empty() ? Names{} : Names{c.stored};
    EXPECT_EQ(Items(c.random ? words.ListRandomWords : words.ListFilterWords), listed);
    if (c.stored.empty()) {
      EXPECT_EQ(rig.shell.messages.at(0).title, c.title);
    }
  }
}

}  // namespace
}  // namespace lanternfly
