#pragma once

#include "core/RgbColor.h"

// The colours of the page's text.
const RgbColor PlainTextColor(0, 0, 0);
const RgbColor HeardTextColor(0, 159, 0);    // the segment being heard
const RgbColor LookedUpTextColor(0, 0, 223); // a word looked up in the dictionary
