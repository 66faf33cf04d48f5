#include "screens/info_screens.h"

#include <array>
#include <cstdio>

#include "screens/menu_layouts.h"
#include "screens/screen_commands.h"
#include "ui/control_tree.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/text_label.h"

namespace zelph::screens {

Result IntroWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent, std::uint32_t flags) {
  const Result created = Control::Create(id, rect, parent, flags);
  if (created < 0) return created;
  LoadSection("intro_wnd");
  ticksLeft = section ? section->GetInt("ticksToClose", kDefaultTicksToClose) : kDefaultTicksToClose;
  // Without a picture there is nothing to wait for.
  const ui::AnimatedImage* picture = AddImage("intro_wnd", 0);
  if (!picture || (picture->image.FrameCount() == 0 && picture->alpha.FrameCount() == 0)) ticksLeft = 0;
  // Any key ends the intro, so the keys come here.
  ui::SetKeyFocus(this);
  return S_OK;
}

void IntroWindow::Done() { SendToParent(static_cast<std::uint32_t>(kCmdIntroDone), 0, 0); }

Result IntroWindow::Tick(std::uint32_t frame) {
  const Result result = MenuWindow::Tick(frame);
  if (ticksLeft <= 0) {
    Done();
  } else {
    --ticksLeft;
  }
  return result;
}

Result IntroWindow::KeyDown(int, std::uint32_t) {
  Done();
  return ui::kHandled;
}

Result IntroWindow::StylusDown(int, int, std::uint32_t) {
  Done();
  return ui::kHandled;
}

std::u16string VersionText() {
  char head[64];
  // The two characters backslash and n stay in the text: the label breaks the line there.
  std::snprintf(head, sizeof head, "Version %d.%d (%d)\\n", 1, 1, 316);
  const std::string text = std::string(head) + "May  4 2006" + " " + "11:29:28";
  return std::u16string(text.begin(), text.end());
}

bool InstructionsWindow::LoadSection(std::string_view sectionName) {
  const bool found = MenuWindow::LoadSection(sectionName);
  scrollRect = section ? ui::ReadRect(*section, "scroll_rect") : ui::Rect{};
  return found;
}

Result InstructionsWindow::Create(std::uint32_t id, const ui::Rect& rect, ui::Control* parent,
                                  std::uint32_t flags) {
  const MenuLayout& layout = *LayoutFor(kInstructionsId);
  const Result created = Control::Create(id, rect, parent, flags);
  if (created < 0) return created;
  LoadSection(layout.windowSection);
  backCommand = layout.backCommand;
  for (const std::string& image : ImageSections(layout)) AddImage(image, 0);
  for (const ButtonRow& row : layout.buttons) {
    ui::Button* button = AddButton(row.section, row.command, true, true);
    if (!button) continue;
    if (row.decoration) button->inputEnabled = false;
    if (row.command == kCmdScrollUp) upButton = button;
    if (row.command == kCmdScrollDown) downButton = button;
  }
  scrollBack = AddImage("instr_scroll_back", 0);
  if (scrollBack) scrollBack->visible = false;
  AddCloseButton();

  page.Create(kPageId, scrollRect, this, kPageFlags, 0);
  page.visible = false;
  page.transparent = true;
  versionText = VersionText();
  BuildPage(ui::GuiSection("instr_text_1"));
  if (upButton) {
    upButton->commandTarget = &page;
    page.SetScrollButton(ui::kScrollUp, upButton->id);
  }
  if (downButton) {
    downButton->commandTarget = &page;
    page.SetScrollButton(ui::kScrollDown, downButton->id);
  }
  page.SetScrollSpeed(ui::kVertical, 2, 10, 30);
  page.UpdateExtent();
  return S_OK;
}

Result InstructionsWindow::BuildPage(const config::ConfigSection* pageSection) {
  page.ClearItems();
  nextItemId = 0;
  fonts.clear();
  fontColours.clear();
  if (!pageSection) return gfx::GFX_E_GENERIC;
  const int fontCount = pageSection->GetInt("font_count", 0);
  for (int i = 1; i <= fontCount; ++i) {
    const std::string base = "font_" + std::to_string(i);
    fonts.push_back(ui::LoadFont(pageSection, base));
    std::uint32_t colour = 0;
    pageSection->GetColor(base + "_color", colour);
    fontColours.push_back(colour);
  }
  const std::uint32_t labelFlags = pageSection->GetBool("debug_mode", false) ? 0 : ui::kTransparent;
  const int itemCount = pageSection->GetInt("item_count", 0);
  int y = 0;
  for (int i = 1; i <= itemCount; ++i) {
    const std::string key = std::to_string(i);
    std::array<std::int32_t, 8> t{};
    if (!pageSection->GetEightInts(key + "_type", t)) continue;
    ui::Rect linkRect{};
    if (t[0] == 1) {
      std::u16string text;
      if (!pageSection->GetString(key + "_value", text)) continue;
      if (text == u"@V") text = versionText;
      const int font = t[6];
      const bool hasFont = font >= 1 && font <= fontCount;
      const std::uint32_t align = t[1] == 1 ? ui::kTextLeft : t[1] == 2 ? ui::kTextRight : ui::kTextCentered;
      auto label = std::make_unique<ui::TextLabel>();
      label->CreateWithFont(kFirstPageItemId + nextItemId++, ui::Rect{t[2], y + t[3], t[2] + t[4], y + t[3] + t[5]},
                            nullptr, labelFlags, hasFont ? fonts[static_cast<std::size_t>(font - 1)].get() : nullptr,
                            text, align, hasFont ? fontColours[static_cast<std::size_t>(font - 1)] : 0);
      linkRect = label->rect;
      y = page.AddItem(std::move(label), 0)->rect.bottom;
    } else if (t[0] == 2) {
      const std::uint32_t picture = pageSection->GetNumber(key + "_value", 0);
      if (picture == 0) continue;
      auto image = std::make_unique<ui::AnimatedImage>();
      image->CreateFromIds(kFirstPageItemId + nextItemId++, ui::Rect{t[1], y + t[2], t[1], y + t[2]}, nullptr,
                           ui::kTransparent, picture, pageSection->GetNumber(key + "_value_a", 0), 10);
      image->SetAnimation(true, t[4], t[3], false);
      const ui::Control* added = page.AddItem(std::move(image), 0);
      linkRect = ui::Rect{added->rect.left, added->rect.top, added->rect.left, added->rect.top};
      y = added->rect.bottom;
    } else {
      continue;
    }
    std::u16string link;
    if (pageSection->GetString(key + "_link", link)) {
      auto button = std::make_unique<ui::Button>();
      button->CreateFromIds(kFirstPageItemId + nextItemId++, linkRect, nullptr, ui::kTransparent, {0, 0, 0, 0},
                            std::nullopt);
      button->name = link;
      page.AddItem(std::move(button), 0);
    }
  }
  page.UpdateExtent();
  return S_OK;
}

Result InstructionsWindow::Tick(std::uint32_t frame) {
  const Result result = MenuWindow::Tick(frame);
  if (!waitingForButtons) return result;
  for (const ui::MenuButton& entry : buttons) {
    if (entry.button->State() != ui::kStateReleased) return result;
  }
  if (scrollBack) scrollBack->visible = true;
  page.visible = true;
  waitingForButtons = false;
  for (ui::Button* b : {upButton, downButton}) {
    if (b) b->flags &= ~ui::kButtonDeferredClick;
  }
  return result;
}

}  // namespace zelph::screens
