#pragma once

#include "chart_model/chart_definition.h"

#include <vector>

namespace vornel {

// The fields of a line, split at its TABs; an empty line has one empty field.
inline std::vector<std::u16string_view> chartFields(ChartLine line) {
    std::vector<std::u16string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find(u'\t', start);
        fields.push_back(
            line.substr(start, tab == ChartLine::npos ? ChartLine::npos : tab - start));
        if (tab == ChartLine::npos)
            return fields;
        start = tab + 1;
    }
}

// A field without the spaces and ideographic spaces that pad it.
inline std::u16string_view trimPadding(std::u16string_view field) {
    constexpr std::u16string_view padding = u" \u3000";
    const std::size_t first = field.find_first_not_of(padding);
    if (first == std::u16string_view::npos)
        return {};
    return field.substr(first, field.find_last_not_of(padding) - first + 1);
}

// The charts write "－" or "─" where a row has no value.
inline bool isNoValue(std::u16string_view field) {
    const std::u16string_view text = trimPadding(field);
    return text == u"－" || text == u"─";
}

} // namespace vornel
