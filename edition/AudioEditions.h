#pragma once

// The store pages of the book's two audio editions, which hold the recorded
// tracks. Each address begins with the blank that separates it from the
// browser's program path.
extern const char16_t UsStoreFirstEdition[];
extern const char16_t UsStoreSecondEdition[];
extern const char16_t FrenchStoreFirstEdition[];
extern const char16_t FrenchStoreSecondEdition[];
