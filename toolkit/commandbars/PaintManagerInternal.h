// Numbers the paint manager's files share: bar types and positions, control types, and the
// state numbers of the visual-style parts they draw.
#pragma once

#include <windows.h>

namespace qorpaint {

// Bar types and positions.
const int kBarTypePopup = 2;
const int kBarPositionTop = 0;
const int kBarPositionBottom = 1;
const int kBarPositionLeft = 2;
const int kBarPositionRight = 3;
const int kBarPositionFloating = 4;
const int kBarPositionPopup = 5;

// Control types.
const int kControlTypeComboBox = 5;

// The colour table's indexes (1-29 the system colours).
const int kColorBlack = 0;
const int kColorActiveCaption = 2;
const int kColorInactiveCaption = 3;
const int kColorMenu = 4;
const int kColorWindow = 5;
const int kColorMenuText = 7;
const int kColorCaptionText = 9;
const int kColorAppWorkspace = 12;
const int kColorHighlight = 13;
const int kColorHighlightText = 14;
const int kColorButtonFace = 15;
const int kColorButtonShadow = 16;
const int kColorGrayText = 17;
const int kColorButtonText = 18;
const int kColorButtonHighlight = 20;
const int kColorDarkShadow = 21;
const int kColorMenuHighlight = 29;

// Visual-style properties.
const int kTmtTextColor = 3803;
const int kTmtBorderColor = 3801;
const int kTmtEdgeHighlightColor = 3805;
const int kTmtEdgeShadowColor = 3806;

} // namespace qorpaint
