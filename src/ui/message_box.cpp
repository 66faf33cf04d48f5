#include "ui/message_box.h"

#include "gfx/blit.h"
#include "platform/virtual_keys.h"
#include "ui/control_tree.h"
#include "ui/fonts.h"
#include "ui/pictures.h"

namespace zelph::ui {
namespace {

constexpr int kTextMarginX = 5;
constexpr int kTextMarginY = 34;
constexpr int kAboveMiddle = 10;

const config::ConfigSection* NamedSection(const config::ConfigSection& section, std::string_view key) {
  const char* name = section.GetRaw(key);
  return name ? GuiSection(name) : nullptr;
}

}  // namespace

MessageBox::~MessageBox() { RemoveModal(this); }

Result MessageBox::CreateFromSection(std::uint32_t newId, std::u16string_view message, std::uint32_t boxFlags,
                                     std::uint32_t, const config::ConfigSection* section) {
  if (Result r = background.CreateFromSection(kBoxBackgroundId, nullptr, this, kTransparent, section); Failed(r)) {
    RemoveChild(&background);
    return r;
  }
  Control* root = Root();
  if (!root) return gfx::GFX_E_GENERIC;

  const int screenW = root->Width(), screenH = root->Height();
  const int w = background.Width(), h = background.Height();
  const int left = screenW / 2 - w / 2;
  const int top = screenH / 2 - h / 2 - kAboveMiddle;
  zOrder = kBoxZOrder;
  Control::Create(newId, Rect{left, top, left + w, top + h}, root, kHitTopmostFirst);
  transparent = true;
  autoDestroy = false;
  PushModal(this);
  background.MoveTo(0, 0);

  section->GetColor("text_color", textColor);
  Rect textRect{kTextMarginX, kTextMarginY, w - kTextMarginX, h - kTextMarginY};
  textRect = FindRect(*section, "text_rect").value_or(textRect);
  font = LoadFont(section, "text_font");
  // Transparent, so the text shows on the box's picture rather than on a key-coloured block.
  text.CreateWithFont(kBoxTextId, textRect, this, kTransparent, font.get(), message, boxFlags & kTextAlignMask,
                      textColor);

  const int buttonTop = textRect.bottom + 1;
  const bool two = (boxFlags & kBoxTwoButtons) == kBoxTwoButtons;
  if (const config::ConfigSection* ok = NamedSection(*section, "ok_bnt")) {
    okButton.CreateFromSection(kBoxOkId, nullptr, this, 0, ok);
    okButton.MoveTo((two ? w / 4 : w / 2) - okButton.Width() / 2, buttonTop);
  }
  if (two) {
    if (const config::ConfigSection* cancel = NamedSection(*section, "cancel_bnt")) {
      cancelButton.CreateFromSection(kBoxCancelId, nullptr, this, 0, cancel);
      cancelButton.MoveTo(3 * w / 4 - cancelButton.Width() / 2, buttonTop);
    }
  }
  if (const std::uint32_t sound = section->GetNumber("show_sound", 0)) showSound.LoadSound(sound, false);
  return S_OK;
}

Result MessageBox::Draw(gfx::Surface& target, int, int, const Rect&) {
  if (!visible) return S_OK;
  // Everything behind the box is darkened by half.
  gfx::FillRect(target, nullptr, 0, gfx::kDrawOpacity, &kDimOpacity);
  return S_OK;
}

Result MessageBox::Tick(std::uint32_t) {
  if (shownTicks == 0) showSound.PlaySound(1, kShowSoundVolume);
  ++shownTicks;
  return S_OK;
}

void MessageBox::Close(std::uint32_t answer) {
  if (autoDestroy) {
    visible = false;
    RemoveModal(this);
    DisposeLater(this);  // freed after the event under way, so the box can still report below
  }
  // Last: an owner may end a box it owns on hearing the answer, so nothing of the box is touched after this.
  SendToOwner(kNotifyBoxClosed, ArgOf(this), answer);
}

void MessageBox::Dismiss() {
  visible = false;
  commandTarget = nullptr;
  RemoveModal(this);
  if (autoDestroy) DisposeLater(this);
}

Result MessageBox::Notify(std::uint32_t code, std::intptr_t argument, std::uint32_t senderId) {
  if (code == kNotifyClicked && senderId == kBoxOkId) {
    Close(kBoxOk);
    return kConsumed;
  }
  if (code == kNotifyClicked && senderId == kBoxCancelId) {
    Close(kBoxCancel);
    return kConsumed;
  }
  // The box's own surfaces and visibility stay its own business; passing them on would hide the screen.
  if (code == kNotifyReleaseSurfaces || code == kNotifyRestoreSurfaces || code == kNotifyVisible) {
    return Control::Notify(code, argument, senderId);
  }
  return SendToOwner(code, argument, senderId);
}

Result MessageBox::KeyDown(int keyCode, std::uint32_t rawKey) {
  if (keyCode == kKeyStart || keyCode == kKeyA) {
    Close(kBoxOk);
  } else if (keyCode == kKeyB || rawKey == platform::vk::kEscape) {
    Close(cancelButton.Parent() == this ? kBoxCancel : kBoxOk);
  }
  return kHandled;
}

MessageBox* KeepUntilClosed(std::unique_ptr<MessageBox> box) {
  if (!box) return nullptr;
  box->autoDestroy = true;
  return static_cast<MessageBox*>(Adopt(std::move(box)));
}

}  // namespace zelph::ui
