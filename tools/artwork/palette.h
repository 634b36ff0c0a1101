// The colours of the instrument: a dark charcoal panel, lighter plates, pale captions, a cool
// blue for lit displays and one accent per effect.
#pragma once

#include "colour.h"

namespace Palette {

inline constexpr Rgb kBackground = Hex(0x141517);
inline constexpr Rgb kPanelTop = Hex(0x2E3135);
inline constexpr Rgb kPanelBottom = Hex(0x26282C);
inline constexpr Rgb kPlateTop = Hex(0x3A3E44);
inline constexpr Rgb kPlateBottom = Hex(0x33363B);
inline constexpr Rgb kRecess = Hex(0x151618);
inline constexpr Rgb kWell = Hex(0x1A1B1E);
inline constexpr Rgb kTitle = Hex(0xAEB4BC);
inline constexpr Rgb kCaption = Hex(0xD6DAE0);
inline constexpr Rgb kEngraved = Hex(0x8E949C);
inline constexpr Rgb kScaleDot = Hex(0x858B94);
inline constexpr Rgb kHeaderTop = Hex(0x232528);
inline constexpr Rgb kHeaderBottom = Hex(0x18191B);
inline constexpr Rgb kNameArea = Hex(0x0A0B0C);
inline constexpr Rgb kButtonTop = Hex(0x393C41);
inline constexpr Rgb kButtonBottom = Hex(0x2A2C30);
inline constexpr Rgb kButtonText = Hex(0xC9CED5);
inline constexpr Rgb kLit = Hex(0x5CC8FF);  // lit displays, switches and the wheel marker
inline constexpr Rgb kDisplay = Hex(0x0C1216);
inline constexpr Rgb kLedRed = Hex(0xFF3B30);
inline constexpr Rgb kIvory = Hex(0xF3EEE3);
inline constexpr Rgb kPressedBlue = Hex(0x9CC6FF);
inline constexpr Rgb kFelt = Hex(0x6E1E26);

// Knob bodies by picture stem colour.
inline constexpr Rgb kKnobBlue = Hex(0x2F80E4);
inline constexpr Rgb kKnobGreen = Hex(0x2EAD6B);
inline constexpr Rgb kKnobGrey = Hex(0x8C949E);
inline constexpr Rgb kKnobOrange = Hex(0xEB8424);
inline constexpr Rgb kKnobPurple = Hex(0xB44ECB);
inline constexpr Rgb kKnobRed = Hex(0xD9433A);
inline constexpr Rgb kKnobViolet = Hex(0x8466F2);
inline constexpr Rgb kKnobWhite = Hex(0xECEDEF);
inline constexpr Rgb kKnobKarmaRed = Hex(0xC7304F);
inline constexpr Rgb kKnobLightGrey = Hex(0xC9CED4);

}  // namespace Palette
