// The settings store against a std::map doing the same work: loading and saving a file of
// 1,000 keys, 100,000 lookups of keys that are there, and loading a hand-edited file of
// 100,000 keys in shuffled order (and the same keys in order).

#include "platform/FileSystem.h"
#include "shared/settings/SettingsStore.h"
#include "shared/util/Files.h"
#include "support/BenchUtil.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

using namespace wexlo;

namespace {

constexpr int kKeys = 1000;
constexpr int kLookups = 100000;
constexpr int kBigKeys = 100000;

QString keyName(int i)
{
    return QStringLiteral("SETTING%1_KEY").arg(i * 7919 % 100003, 6, 10, QLatin1Char('0'));
}

void writeFile(const QString& path)
{
    QString text;
    for (int i = 0; i < kKeys; ++i)
        text += keyName(i) + QStringLiteral(", ") + QString::number(i) + QStringLiteral(" \r\n");
    files::writeText(path, text);
}

// kBigKeys distinct keys, one a line, shuffled or in ascending order.
void writeBigFile(const QString& path, bool shuffled)
{
    std::vector<QString> keys;
    keys.reserve(kBigKeys);
    for (int i = 0; i < kBigKeys; ++i)
        keys.push_back(QStringLiteral("KEY%1").arg(i, 6, 10, QLatin1Char('0')));
    if (shuffled)
        std::shuffle(keys.begin(), keys.end(), std::mt19937(11));
    QString text;
    for (const QString& k : keys)
        text += k + QStringLiteral(",value of ") + k + QStringLiteral("\r\n");
    files::writeText(path, text);
}

std::map<QString, QString> mapLoad(const QString& path)
{
    std::map<QString, QString> m;
    const QString text = files::decodeText(platform::fileSystem().readAll(path));
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        if (comma > 0)
            m.emplace(line.left(comma), line.mid(comma + 1));
    }
    return m;
}

void mapSave(const std::map<QString, QString>& m, const QString& path)
{
    auto out = files::openForOutput(path, platform::FileAccess::OwnerOnly);
    for (const auto& [k, v] : m)
        out->writeLine(k + QLatin1Char(',') + v);
    out->close();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.ini"));
    const QString ours = dir.filePath(QStringLiteral("Wexlo.ini"));
    const QString theirs = dir.filePath(QStringLiteral("map.ini"));
    writeFile(source);

    SettingsStore store;
    std::map<QString, QString> map;
    constexpr int runs = 20;

    std::printf("settings store, %d keys, %d lookups\n", kKeys, kLookups);
    const double loadOurs = bench::bestMs(runs, [&] { store.load(source); });
    const double loadMap = bench::bestMs(runs, [&] { map = mapLoad(source); });
    bench::report("load 1,000 keys", loadOurs, "std::map", loadMap);

    const double saveOurs = bench::bestMs(runs, [&] { store.save(ours); });
    const double saveMap = bench::bestMs(runs, [&] { mapSave(map, theirs); });
    bench::report("save 1,000 keys", saveOurs, "std::map", saveMap);

    // Mixed-case names as callers pass them, so both sides pay for the upper-casing.
    std::vector<QString> probes;
    std::mt19937 rng(7);
    for (int i = 0; i < kLookups; ++i)
        probes.push_back(keyName(static_cast<int>(rng() % kKeys)).toLower());
    int hits = 0;
    const double lookOurs = bench::bestMs(5, [&] {
        for (const QString& p : probes)
            hits += store.value(p).isEmpty() ? 0 : 1;
    });
    const double lookMap = bench::bestMs(5, [&] {
        for (const QString& p : probes)
            hits += map.find(p.toUpper()) != map.end() ? 1 : 0;
    });
    bench::report("100,000 lookups", lookOurs, "std::map", lookMap);
    if (hits != 10 * kLookups) {
        std::printf("lookups missed: %d of %d\n", 10 * kLookups - hits, 10 * kLookups);
        return 1;
    }

    const QString shuffled = dir.filePath(QStringLiteral("shuffled.ini"));
    const QString sorted = dir.filePath(QStringLiteral("sorted.ini"));
    writeBigFile(shuffled, true);
    writeBigFile(sorted, false);
    constexpr int bigRuns = 3;
    const double shuffledOurs = bench::bestMs(bigRuns, [&] { store.load(shuffled); });
    if (store.count() != kBigKeys || store.keyAt(1) != QStringLiteral("KEY000000") ||
        store.keyAt(kBigKeys) != QStringLiteral("KEY099999")) {
        std::printf("shuffled load gave a wrong list\n");
        return 1;
    }
    const double shuffledMap = bench::bestMs(bigRuns, [&] { map = mapLoad(shuffled); });
    bench::report("load 100,000 shuffled keys", shuffledOurs, "std::map", shuffledMap);
    const double sortedOurs = bench::bestMs(bigRuns, [&] { store.load(sorted); });
    const double sortedMap = bench::bestMs(bigRuns, [&] { map = mapLoad(sorted); });
    bench::report("load 100,000 keys in order", sortedOurs, "std::map", sortedMap);
    return 0;
}
