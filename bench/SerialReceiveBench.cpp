// The serial port's receive path for a listener: each byte goes into the listener's buffer and
// the buffer's tail is matched against the packet descriptor (a frame ending in CR LF).
#include "TTYSerialPort/TTYSerialBuffer.h"
#include "TTYSerialPort/TTYSerialPacketDescriptor.h"

#include <benchmark/benchmark.h>

static void BM_MatchPacketsByteByByte(benchmark::State& state) {
    const auto bufferLength = static_cast<std::uint64_t>(state.range(0));
    auto descriptor =
        TTYSerialPacketDescriptor::create(QByteArray("$"), QByteArray("\r\n"), bufferLength, {});
    QByteArray stream;
    while (stream.size() < 4096)
        stream += "$GYRO,12,-4,1023\r\n";
    TTYSerialBuffer buffer(bufferLength);
    std::int64_t packets = 0;
    for (auto _ : state) {
        for (const char byte : stream) {
            buffer.appendByte(byte);
            if (auto packet = descriptor->packetMatchingAtEndOfBuffer(buffer.data())) {
                ++packets;
                buffer.clearBuffer();
            }
        }
    }
    benchmark::DoNotOptimize(packets);
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_MatchPacketsByteByByte)->Arg(32)->Arg(256);
