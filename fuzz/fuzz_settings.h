#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "settings/redirect_settings.h"

namespace vantorix::fuzz {

// A check value as the settings file may hold it: 0, 1 or 2 (only 1 is on).
inline int checkValue(FuzzedDataProvider& input) {
    return input.ConsumeIntegralInRange(0, 2);
}

// One of the end-of-line items, or a text that is none of them (no selection).
inline std::string endOfLineMode(FuzzedDataProvider& input) {
    const auto items = endOfLineItems();
    const auto choice = input.ConsumeIntegralInRange<std::size_t>(0, items.size());
    return choice < items.size() ? items[choice] : std::string();
}

}  // namespace vantorix::fuzz
