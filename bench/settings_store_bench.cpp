// Speed of one settings read on stores the program never writes itself: one key with
// 40,000 values, and a file far larger than the store may be.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/registry_store.h"

namespace talvair::platform {
namespace {

void WriteStore(const QTemporaryDir& dir, const QByteArray& content) {
  QFile file(RegistryStore(dir.path()).FilePath());
  if (file.open(QIODevice::WriteOnly)) file.write(content);
}

void BM_ReadFromAKeyWithManyValues(benchmark::State& state) {
  QTemporaryDir dir;
  QByteArray content = "K\tHKEY_CURRENT_USER\tSoftware\n";
  for (int i = 0; i < 40000; ++i) {
    content += "V\tv" + QByteArray::number(i) + "\t1\t" + QByteArray::number(i) + "\\0\n";
  }
  WriteStore(dir, content);
  const RegistryStore store(dir.path());
  RegistryValue value;
  for (auto _ : state) {
    benchmark::DoNotOptimize(store.QueryValue(kHkeyCurrentUser, "Software", "v39999", &value));
  }
}
BENCHMARK(BM_ReadFromAKeyWithManyValues)->Unit(benchmark::kMillisecond);

// The first read sets the file aside; the timing covers writing it back each time.
void BM_ReadFromAnOversizedFile(benchmark::State& state) {
  QTemporaryDir dir;
  const QByteArray content = "#" + QByteArray(5 * 1024 * 1024, 'x') + "\n";
  const RegistryStore store(dir.path());
  for (auto _ : state) {
    state.PauseTiming();
    WriteStore(dir, content);
    state.ResumeTiming();
    benchmark::DoNotOptimize(store.KeyExists(kHkeyCurrentUser, "Software"));
  }
}
BENCHMARK(BM_ReadFromAnOversizedFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvair::platform
