#pragma once

// The program asks for its fonts by their Windows names ("宋体"); these map them to CJK fonts that
// Linux has, so that Chinese text renders with the designed metrics instead of boxes.
void installFontSubstitutes();
