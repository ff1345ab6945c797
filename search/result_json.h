#pragma once

#include "search/search_index.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <vector>

namespace vornel::search {

// What --find --json prints: a result for a script that reads no Japanese.
// Keys and states in English, every figure a number with its unit named
// ("unit": "mm"), each the figure the texts write (result_texts), and the
// texts themselves under "text" for a reader who wants the words.
QJsonObject resultJson(const SearchResult& result);

// The whole answer to `query`: {"query": …, "results": [resultJson() …]},
// indented, UTF-8.
QByteArray resultsJson(const QString& query, const std::vector<SearchResult>& results);

} // namespace vornel::search
