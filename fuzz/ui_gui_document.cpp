// Arbitrary bytes as the text form of a GUI document, from which a screen window, a message box, labels, an
// edit field, a keyboard and a scroll view are built the way the screens build them, then drawn, ticked,
// tapped and typed at for a few frames. Whatever the document says (huge or negative rectangles, missing
// pictures, absurd delays and animations), nothing may crash, hang or touch memory it does not own.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "config/ino_text.h"
#include "config/pack_image.h"
#include "config/resources.h"
#include "gfx/ebm_format.h"
#include "gfx/graphics_context.h"
#include "platform/file_io.h"
#include "ui/control_tree.h"
#include "ui/edit_field.h"
#include "ui/keyboard_tables.h"
#include "ui/menu_window.h"
#include "ui/message_box.h"
#include "ui/on_screen_keyboard.h"
#include "ui/pictures.h"
#include "ui/scroll_view.h"
#include "ui/text_label.h"
#include "temp_pack.h"

using namespace zelph;
using namespace zelph::ui;

namespace {

// Pictures 0x100..0x10F: strips of one to four frames, some keyed, and a grey alpha picture.
std::vector<std::uint8_t> Picture(int index) {
  gfx::EbmHeader header;
  const int frames = 1 + index % 4;
  const int frameWidth = 8 + index * 3;
  header.format = index == 15 ? gfx::EbmFormat::k8ga : gfx::EbmFormat::k565;
  header.width = static_cast<std::uint32_t>(frameWidth * frames);
  header.height = static_cast<std::uint32_t>(6 + index);
  header.frames = static_cast<std::uint32_t>(frames);
  header.frameWidth = static_cast<std::uint32_t>(frameWidth);
  header.colorKey = gfx::kMagenta;
  const std::size_t bytes = static_cast<std::size_t>(header.NeededBytes());
  std::vector<std::uint8_t> pixels(bytes);
  for (std::size_t i = 0; i < bytes; ++i) pixels[i] = static_cast<std::uint8_t>((i * 37 + index) & 0xFF);
  return gfx::WriteEbm(header, pixels);
}

void Setup() {
  static bool done = false;
  if (done) return;
  done = true;
  gfx::GraphicsContext::Global().MarkOpen(gfx::DisplayProperties::Rgb565(640, 480));
  fuzzing::RegisterPicturePack(0x100, 16, Picture, "ui");
}

void Exercise(Control& root, gfx::Surface& back) {
  const gfx::KeyList keys{38, 40, 37, 39, 'Z', 'X', 'C', 13};
  const Rect screen{0, 0, 640, 480};
  const int points[][2] = {{0, 0}, {320, 240}, {639, 479}, {100, 150}, {250, 300}, {600, 20}};
  for (int frame = 0; frame < 12; ++frame) {
    // Every frame ticks; every third is drawn: a message box dims the whole screen in each drawing, which
    // is most of the time an input takes.
    if (frame % 3 == 0 || frame == 11) DrawTree(root, back, 0, 0, screen);
    TickTree(root, 0);
    const int* p = points[frame % 6];
    RouteStylusDown(root, p[0], p[1]);
    RouteStylusMove(root, p[1], p[0]);
    RouteStylusUp(root, p[0] + 3, p[1] + 2);
    RouteStylusDoubleClick(root, p[0], p[1]);
    RouteKeyDown(root, frame % 2 ? 8u : 46u, keys);
    RouteChar(root, static_cast<std::uint32_t>('a' + frame), 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Setup();
  std::vector<std::uint8_t> ino;
  std::string error;
  if (!config::CompileInoText(std::string_view(reinterpret_cast<const char*>(data), size), ino, error)) return 0;
  config::GuiDocument().Clear();
  if (config::GuiDocument().LoadMemory(std::move(ino)) < 0) return 0;

  gfx::Surface back;
  if (Failed(back.CreateSurface(0, 640, 480))) std::abort();
  ResetControlGlobals();
  SetBackSurface(&back);
  {
    Control root;
    root.Create(1, Rect{0, 0, 640, 480}, nullptr, kHitTopmostFirst);

    MenuWindow window;
    window.Create(20014, Rect{0, 0, 640, 480}, &root, kHitTopmostFirst);
    window.LoadSection("menu");
    window.AddImage("back", 0);
    window.AddImage("head", kTransparent | kBakeImage);
    window.AddButton("b1", 20015, true, true);
    window.AddButton("b2", 20016, true, false);
    window.AddButton("b3", 20017, false, true);
    window.AddCloseButton();

    const config::ConfigSection* section = GuiSection("page");
    auto font = section ? LoadFont(section, "font") : nullptr;
    TextLabel label;
    label.CreateWithFont(5, section ? ReadRect(*section, "label_rect") : Rect{}, &window,
                         kTransparent | kLabelWordWrap | kLabelFitHeight, font.get(),
                         u"Some words to wrap\\nand a second line", kTextCentered, 0x00FFFF);
    EditField field;
    field.CreateFromSection(6, section ? ReadRect(*section, "edit_rect") : Rect{}, &window, 0, 11, 0x10C, 0, 10,
                            section);
    field.padWithFill = true;
    field.SetMaxLength(8);
    SetKeyFocus(&field);
    OnScreenKeyboard keyboard;
    keyboard.Create(7, section ? ReadRect(*section, "keyboard_rect") : Rect{}, &window, 0,
                    section ? section->GetNumber("keyboard_img", 0) : 0, 2);
    for (int row = 0; row < kKeyboardRows; ++row) {
      const std::string key = "keyb_line" + std::to_string(row + 1) + "_rect";
      keyboard.AddRow(section ? ReadRect(*section, key) : Rect{}, KeyRow(row, row % 2 == 0));
    }
    ScrollView view;
    view.Create(8, section ? ReadRect(*section, "scroll_rect") : Rect{}, &window, kTransparent | kScrollPixelHit,
                section ? section->GetNumber("scroll_back", 0) : 0);
    for (int i = 0; i < 3; ++i) {
      auto item = std::make_unique<TextLabel>();
      item->CreateWithFont(65635 + i, Rect{0, 40 * i, 200, 40 * i + 30}, &view, kTransparent, font.get(),
                           u"item", kTextLeft, 0);
      view.AddItem(std::move(item), 0);
    }
    view.UpdateExtent();
    view.ScrollTo(0, 25);

    auto box = std::make_unique<MessageBox>();
    if (Succeeded(box->CreateFromSection(0x2000000, u"Sure?\\nReally?", 0x2030200, 150, GuiSection("box")))) {
      KeepUntilClosed(std::move(box));
    }
    Exercise(root, back);
    Broadcast(kNotifyReleaseSurfaces, 0, 0);
    Broadcast(kNotifyRestoreSurfaces, 0, 0);
    window.ResetButtons();
    Exercise(root, back);
  }
  ResetControlGlobals();
  SetBackSurface(nullptr);
  // Nothing of this input stays behind: libFuzzer runs an input a second time, to look for leaks, whenever
  // it allocated more blocks than it freed.
  config::GuiDocument().Clear();
  return 0;
}
