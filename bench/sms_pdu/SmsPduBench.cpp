// PDU build and read rates, in messages per second, for the message shapes the SMS jobs meet:
// a full single text, a full part of a concatenated text, 8-bit data and a UCS2 message.
#include "engine/codec/PduAddress.h"
#include "engine/codec/SmsPdu.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

using namespace zel;

namespace {

void countMessages(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations());
    state.counters["messages/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

std::string sampleText(int length)
{
    static const char kWords[] = "Treffen morgen um 10 Uhr am Bahnhof, bitte Unterlagen mitbringen. ";
    std::string text;
    while (static_cast<int>(text.size()) < length)
        text += kWords;
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// length > 0: 7-bit text; length < 0: 8-bit data of -length bytes.
void BM_Encode(benchmark::State& state, int length, int total, const char* smsc)
{
    const std::string text = sampleText(length < 0 ? -length : length);
    char data[SMS_TEXT_AREA_SIZE];
    SmsPduBuffer pdu;
    int smscOctets = 0;
    for (auto _ : state) {
        std::memcpy(data, text.data(), text.size());
        const int octets = SmsPduEncode("+491701234567", data, length, pdu, 42, 1, total, -1, smsc, smscOctets, 167);
        benchmark::DoNotOptimize(octets);
        benchmark::DoNotOptimize(pdu);
    }
    countMessages(state);
}

// A line as the phone lists it; the read skips the service-centre part first, as the read job does.
void BM_Decode(benchmark::State& state, const std::string& line)
{
    SmsTextArea text;
    SmsSenderArea sender;
    int textLength = 0, reference = 0, total = 0, sequence = 0;
    const char* stamp = nullptr;
    for (auto _ : state) {
        const int skip = serviceCentrePartLength(line.data(), static_cast<int>(line.size()));
        const bool ok = SmsPduDecode(line.data() + skip, static_cast<int>(line.size()) - skip, text, textLength, sender,
                                     stamp, reference, total, sequence);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(text);
    }
    if (textLength == 0)
        state.SkipWithError("the sample did not decode");
    countMessages(state);
}

// Builds a stored SMS-DELIVER line to read back, so the decode samples are as long as they get.
std::string deliverLine(int length, int total)
{
    const std::string text = sampleText(length < 0 ? -length : length);
    char data[SMS_TEXT_AREA_SIZE];
    std::memcpy(data, text.data(), text.size());
    SmsPduBuffer pdu;
    int smscOctets = 0;
    const int octets = SmsPduEncode("+491701234567", data, length, pdu, 42, 2, total, 0, "+491710760000", smscOctets, -1);
    return std::string(pdu, static_cast<std::size_t>(2 * octets));
}

const std::string kUcs2Line = "07919730071111F10414D04937BD2C7797E9D3E614000811309291024061080442043504410442";

} // namespace

BENCHMARK_CAPTURE(BM_Encode, single_160_septets, 160, 1, "");
BENCHMARK_CAPTURE(BM_Encode, part_152_septets, 152, 3, "+491710760000");
BENCHMARK_CAPTURE(BM_Encode, single_140_octets, -140, 1, "");
BENCHMARK_CAPTURE(BM_Decode, single_160_septets, deliverLine(160, 1));
BENCHMARK_CAPTURE(BM_Decode, part_152_septets, deliverLine(152, 3));
BENCHMARK_CAPTURE(BM_Decode, single_140_octets, deliverLine(-140, 1));
BENCHMARK_CAPTURE(BM_Decode, ucs2_alphanumeric_sender, kUcs2Line);

BENCHMARK_MAIN();
