// What one settings change costs on the profile side: every change re-reads the
// document and writes it back whole. The keyboard's document is the largest.
#include "profiles/json_file.h"
#include "profiles/keyboard_profile_data.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString KeyboardDefault()
{
    return QStringLiteral(Q31_SOURCE_DATA_DIR "/DefaultData/keyboard.Json");
}

void BM_ParseKeyboardDocument(benchmark::State& state)
{
    const std::string text = readjsonFile(KeyboardDefault());
    for (auto _ : state)
        benchmark::DoNotOptimize(q31::ParseJsonText(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseKeyboardDocument);

void BM_FormatKeyboardDocument(benchmark::State& state)
{
    const Json::Value document = ParseJsonFile(KeyboardDefault());
    for (auto _ : state)
        benchmark::DoNotOptimize(q31::JsonDocumentText(document));
}
BENCHMARK(BM_FormatKeyboardDocument);

// A key assignment change as the keyboard makes it: write the key list, Save
// (parse the file, replace the device section, write it safely to disk).
void BM_SaveKeyboardKeyChange(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath("profile.Json");
    CKeyboardProfiledata profile;
    profile.SetDefaultDocumentPath(KeyboardDefault());
    profile.SetDocumentPath(path);
    profile.LoadDeviceSection(path);
    auto keys = profile.ReadKeyList();
    for (auto _ : state) {
        keys[0].current.data2 ^= 1;
        profile.WriteKeyAssignments(keys);
        if (!profile.Save()) {
            state.SkipWithError("the document could not be saved");
            break;
        }
    }
}
BENCHMARK(BM_SaveKeyboardKeyChange)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
