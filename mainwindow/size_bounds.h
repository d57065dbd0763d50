#pragma once
// The custom-file size bounds as a run reads them from the hard-disk page:
// kilobytes, -1 for no bound. A negative minimum is no lower bound (every
// size lies above it), "-1" alone as the maximum is no upper bound; any
// other text is refused with a message that says what is wrong with it.
#include <cstdint>
#include <string>

struct SizeBound {
  std::int32_t kb = -1;
  const char* refusal = nullptr;  // the message when the text is not usable
};

SizeBound MinimumSizeBound(const std::string& field);
SizeBound MaximumSizeBound(const std::string& field);

inline constexpr const char* kSizesNotNumeric =
    "Min and Max sizes for deleting custom files must be a numeric values!!";
inline constexpr const char* kSizesNotWhole =
    "Min and Max sizes for deleting custom files must be whole numbers of KB, at most 2147483647!!";
inline constexpr const char* kMaxNegative =
    "Max size for deleting custom files must be -1 (no limit) or a positive number of KB!!";
