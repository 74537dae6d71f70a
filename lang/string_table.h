// The texts of the current language, by key.
#pragma once

#include <string>

// The text stored for `key`; a key that no language defined is added with the empty text.
std::u16string LookupText(const std::u16string& key);
