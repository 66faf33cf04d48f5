#include "ui/keyboard_tables.h"

namespace zelph::ui {
namespace {

// Windows-1251: the Russian small letters run from 224 (а) to 255 (я), the capitals 32 lower; ё is 184, Ё 168.
constexpr std::uint8_t Ru(int index) { return static_cast<std::uint8_t>(224 + index); }
constexpr std::uint8_t RU(int index) { return static_cast<std::uint8_t>(192 + index); }
enum RuLetter {
  kA = 0, kB, kV, kG, kD, kE, kZh, kZ, kI, kJ, kK, kL, kM, kN, kO, kP,
  kR, kS, kT, kU, kF, kH, kC, kCh, kSh, kShch, kHard, kY, kSoft, kEh, kYu, kYa
};

constexpr KeyRecord Same(std::int32_t w, char c) {
  const auto b = static_cast<std::uint8_t>(c);
  return {w, {b, b, b, b}};
}
constexpr KeyRecord Control(std::int32_t w, std::uint8_t code) { return {w, {0, code, 0, code}}; }
constexpr KeyRecord Letter(std::int32_t w, char lower, char upper, RuLetter ru) {
  return {w, {static_cast<std::uint8_t>(lower), static_cast<std::uint8_t>(upper), Ru(ru), RU(ru)}};
}
constexpr KeyRecord Pair(std::int32_t w, char lower, char upper, std::uint8_t ruLower, std::uint8_t ruUpper) {
  return {w, {static_cast<std::uint8_t>(lower), static_cast<std::uint8_t>(upper), ruLower, ruUpper}};
}

// Widths per set: {VGA, QVGA}.
struct W {
  std::int32_t vga, qvga;
};

template <bool kVga>
constexpr std::int32_t Pick(W w) {
  return kVga ? w.vga : w.qvga;
}

template <bool kVga>
struct Rows {
  static constexpr KeyRecord row1[] = {
      Same(Pick<kVga>({26, 17}), '1'), Same(Pick<kVga>({26, 17}), '2'), Same(Pick<kVga>({26, 17}), '3'),
      Same(Pick<kVga>({26, 17}), '4'), Same(Pick<kVga>({26, 17}), '5'), Same(Pick<kVga>({26, 17}), '6'),
      Same(Pick<kVga>({28, 17}), '7'), Same(Pick<kVga>({26, 17}), '8'), Same(Pick<kVga>({28, 17}), '9'),
      Same(Pick<kVga>({26, 17}), '0'), Same(Pick<kVga>({28, 17}), '-'), Same(Pick<kVga>({26, 17}), '='),
      Control(Pick<kVga>({54, 36}), kKeyBackspace)};
  static constexpr KeyRecord row2[] = {
      Control(Pick<kVga>({26, 17}), kKeyTab),         Letter(Pick<kVga>({26, 17}), 'q', 'Q', kJ),
      Letter(Pick<kVga>({26, 17}), 'w', 'W', kC),     Letter(Pick<kVga>({28, 17}), 'e', 'E', kU),
      Letter(Pick<kVga>({26, 17}), 'r', 'R', kK),     Letter(Pick<kVga>({28, 17}), 't', 'T', kE),
      Letter(Pick<kVga>({26, 17}), 'y', 'Y', kN),     Letter(Pick<kVga>({28, 17}), 'u', 'U', kG),
      Letter(Pick<kVga>({26, 17}), 'i', 'I', kSh),    Letter(Pick<kVga>({26, 17}), 'o', 'O', kShch),
      Letter(Pick<kVga>({28, 17}), 'p', 'P', kZ),     Letter(Pick<kVga>({26, 17}), '[', '{', kH),
      Letter(Pick<kVga>({26, 18}), ']', '}', kHard)};
  static constexpr KeyRecord row3[] = {
      Control(Pick<kVga>({54, 35}), kKeyCapsLock),    Letter(Pick<kVga>({26, 17}), 'a', 'A', kF),
      Letter(Pick<kVga>({26, 17}), 's', 'S', kY),     Letter(Pick<kVga>({26, 17}), 'd', 'D', kV),
      Letter(Pick<kVga>({26, 17}), 'f', 'F', kA),     Letter(Pick<kVga>({26, 17}), 'g', 'G', kP),
      Letter(Pick<kVga>({28, 17}), 'h', 'H', kR),     Letter(Pick<kVga>({26, 17}), 'j', 'J', kO),
      Letter(Pick<kVga>({28, 17}), 'k', 'K', kL),     Letter(Pick<kVga>({26, 17}), 'l', 'L', kD),
      Letter(Pick<kVga>({28, 17}), ';', ':', kZh),    Control(Pick<kVga>({52, 35}), kKeyEnter)};
  static constexpr KeyRecord row4[] = {
      Control(Pick<kVga>({48, 33}), kKeyShift),       Letter(Pick<kVga>({26, 17}), 'z', 'Z', kYa),
      Letter(Pick<kVga>({26, 17}), 'x', 'X', kCh),    Letter(Pick<kVga>({28, 17}), 'c', 'C', kS),
      Letter(Pick<kVga>({26, 17}), 'v', 'V', kM),     Letter(Pick<kVga>({28, 17}), 'b', 'B', kI),
      Letter(Pick<kVga>({26, 17}), 'n', 'N', kT),     Letter(Pick<kVga>({26, 17}), 'm', 'M', kSoft),
      Letter(Pick<kVga>({26, 17}), ',', '<', kB),     Letter(Pick<kVga>({28, 17}), '.', '>', kYu),
      Pair(Pick<kVga>({28, 17}), '/', '?', 46, 44),   Pair(Pick<kVga>({26, 18}), '\'', '"', 0, 0)};
  static constexpr KeyRecord row5[] = {
      Control(Pick<kVga>({58, 33}), kKeyControl), Pair(Pick<kVga>({26, 17}), '`', '~', 184, 168),
      Pair(Pick<kVga>({26, 17}), '\\', '|', 92, 47), Same(Pick<kVga>({182, 120}), ' '),
      Control(Pick<kVga>({40, 26}), kKeyArrowLeft),  Control(Pick<kVga>({40, 27}), kKeyArrowRight),
      KeyRecord{0, {0, 0, 0, 0}}};
};

template <bool kVga>
std::span<const KeyRecord> RowOf(int row) {
  switch (row) {
    case 0:
      return Rows<kVga>::row1;
    case 1:
      return Rows<kVga>::row2;
    case 2:
      return Rows<kVga>::row3;
    case 3:
      return Rows<kVga>::row4;
    case 4:
      return Rows<kVga>::row5;
    default:
      return {};
  }
}

}  // namespace

std::span<const KeyRecord> KeyRow(int row, bool vga) { return vga ? RowOf<true>(row) : RowOf<false>(row); }

}  // namespace zelph::ui
