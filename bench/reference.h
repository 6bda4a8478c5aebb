#pragma once

// The physical reference every open is measured against.

#include "store/text.h"

#include <QFile>
#include <QString>

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

// Reading the seven files' bytes and recording where each line starts and
// ends: what any open must do at the least.
inline qsizetype readReference(const std::array<QString, 7> &names)
{
    qsizetype lines = 0;
    for (const QString &name : names) {
        QFile f(name);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = f.readAll();
        std::vector<text::LineSpan> spans;
        spans.reserve(std::size_t(bytes.size() / 24 + 16));
        text::forEachLine(bytes, [&](qsizetype s, qsizetype l) { spans.push_back({s, l}); });
        lines += qsizetype(spans.size());
        benchmark::DoNotOptimize(spans.data());
    }
    return lines;
}
