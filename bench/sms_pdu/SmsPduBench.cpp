// PDU build and read rates, in messages per second, for the message shapes the SMS jobs meet:
// a full single text (plain, and with characters of the extension table), a full part of a
// concatenated text, 8-bit data and a UCS2 message. Built with the outside codec of
// libgammu-dev, the text shapes also run through it, as the rate to beat twice over.
#include "engine/codec/GsmAlphabet.h"
#include "engine/codec/PduAddress.h"
#include "engine/codec/SmsPdu.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#ifdef TORVANE_OUTSIDE_CODEC
#include <gammu.h>
#endif

using namespace zel;

namespace {

void countMessages(benchmark::State& state)
{
    state.SetItemsProcessed(state.iterations());
    state.counters["messages/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

constexpr char kPlainWords[] = "Treffen morgen um 10 Uhr am Bahnhof, bitte Unterlagen mitbringen. ";
constexpr char kEscapedWords[] = "Room [3] {ok} ~ \xE9_\xF1, a|b \\ c^2. ";

// Latin-1 text of the words repeated until it takes `septets` septets.
std::string sampleText(int septets, const char* words = kPlainWords)
{
    std::string text;
    for (int used = 0, i = 0;; i = words[i + 1] ? i + 1 : 0) {
        used += SmsLatinSeptets(words[i]) == 2 ? 2 : 1;
        if (used > septets)
            return text;
        text += words[i];
    }
}

// length > 0: Latin-1 text of that many septets, mapped as the send job maps it; length < 0:
// 8-bit data of -length bytes.
void BM_Encode(benchmark::State& state, int length, int total, const char* smsc, const char* words = kPlainWords)
{
    const std::string text = sampleText(length < 0 ? -length : length, words);
    char data[SMS_TEXT_AREA_SIZE];
    SmsPduBuffer pdu;
    int smscOctets = 0;
    for (auto _ : state) {
        std::memcpy(data, text.data(), text.size());
        const int septets = length < 0 ? length : SmsLatinToGsm(data, static_cast<int>(text.size()), SMS_TEXT_AREA_SIZE);
        const int octets = SmsPduEncode("+491701234567", data, septets, pdu, 42, 1, total, -1, smsc, smscOctets, 167);
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
std::string deliverLine(int length, int total, const char* words = kPlainWords)
{
    const std::string text = sampleText(length < 0 ? -length : length, words);
    char data[SMS_TEXT_AREA_SIZE];
    std::memcpy(data, text.data(), text.size());
    const int septets = length < 0 ? length : SmsLatinToGsm(data, static_cast<int>(text.size()), SMS_TEXT_AREA_SIZE);
    SmsPduBuffer pdu;
    int smscOctets = 0;
    const int octets = SmsPduEncode("+491701234567", data, septets, pdu, 42, 2, total, 0, "+491710760000", smscOctets, -1);
    return std::string(pdu, static_cast<std::size_t>(2 * octets));
}

#ifdef TORVANE_OUTSIDE_CODEC
// Its text is UCS-2, high octet first: prepared outside the loop, where the engine's side maps
// Latin-1 inside it.
void toOutsideText(unsigned char* out, const std::string& latin)
{
    for (std::size_t i = 0; i < latin.size(); ++i) {
        out[2 * i] = 0;
        out[2 * i + 1] = static_cast<unsigned char>(latin[i]);
    }
    out[2 * latin.size()] = out[2 * latin.size() + 1] = 0;
}

// The same submit: text converted to the default alphabet and packed, the number, validity and
// concatenation header, then written as hex.
void BM_OutsideEncode(benchmark::State& state, int septets, int total, const char* words = kPlainWords)
{
    GSM_SMSMessage sms{};
    sms.PDU = SMS_Submit;
    sms.Coding = SMS_Coding_Default_No_Compression;
    sms.Class = -1;
    sms.SMSC.Validity.Format = SMS_Validity_RelativeFormat;
    sms.SMSC.Validity.Relative = static_cast<GSM_ValidityPeriod>(167);
    toOutsideText(sms.Number, "+491701234567");
    toOutsideText(sms.Text, sampleText(septets, words));
    sms.UDH.Type = total >= 2 ? UDH_ConcatenatedMessages : UDH_NoUDH;
    sms.UDH.ID8bit = 42;
    sms.UDH.PartNumber = 1;
    sms.UDH.AllParts = total;
    unsigned char frame[400];
    char hex[2 * sizeof frame + 1];
    for (auto _ : state) {
        int length = 0;
        if (GSM_EncodeSMSFrame(GSM_GetGlobalDebug(), &sms, frame, PHONE_SMSSubmit, &length, TRUE) != ERR_NONE) {
            state.SkipWithError("the outside codec refused the sample");
            break;
        }
        EncodeHexBin(hex, frame, static_cast<std::size_t>(length));
        benchmark::DoNotOptimize(hex);
    }
    countMessages(state);
}

void BM_OutsideDecode(benchmark::State& state, const std::string& line)
{
    unsigned char bytes[200];
    GSM_SMSMessage sms{};
    for (auto _ : state) {
        DecodeHexBin(bytes, reinterpret_cast<const unsigned char*>(line.data()), line.size());
        if (GSM_DecodePDUFrame(GSM_GetGlobalDebug(), &sms, bytes, line.size() / 2, nullptr, TRUE) != ERR_NONE) {
            state.SkipWithError("the outside codec did not decode the sample");
            break;
        }
        benchmark::DoNotOptimize(sms);
    }
    countMessages(state);
}
#endif

const std::string kUcs2Line = "07919730071111F10414D04937BD2C7797E9D3E614000811309291024061080442043504410442";

} // namespace

BENCHMARK_CAPTURE(BM_Encode, single_160_septets, 160, 1, "");
BENCHMARK_CAPTURE(BM_Encode, single_160_septets_escaped, 160, 1, "", kEscapedWords);
BENCHMARK_CAPTURE(BM_Encode, part_152_septets, 152, 3, "+491710760000");
BENCHMARK_CAPTURE(BM_Encode, single_140_octets, -140, 1, "");
BENCHMARK_CAPTURE(BM_Decode, single_160_septets, deliverLine(160, 1));
BENCHMARK_CAPTURE(BM_Decode, single_160_septets_escaped, deliverLine(160, 1, kEscapedWords));
BENCHMARK_CAPTURE(BM_Decode, part_152_septets, deliverLine(152, 3));
BENCHMARK_CAPTURE(BM_Decode, single_140_octets, deliverLine(-140, 1));
BENCHMARK_CAPTURE(BM_Decode, ucs2_alphanumeric_sender, kUcs2Line);
#ifdef TORVANE_OUTSIDE_CODEC
BENCHMARK_CAPTURE(BM_OutsideEncode, single_160_septets, 160, 1);
BENCHMARK_CAPTURE(BM_OutsideEncode, single_160_septets_escaped, 160, 1, kEscapedWords);
BENCHMARK_CAPTURE(BM_OutsideEncode, part_152_septets, 152, 3);
BENCHMARK_CAPTURE(BM_OutsideDecode, single_160_septets, deliverLine(160, 1));
BENCHMARK_CAPTURE(BM_OutsideDecode, single_160_septets_escaped, deliverLine(160, 1, kEscapedWords));
BENCHMARK_CAPTURE(BM_OutsideDecode, part_152_septets, deliverLine(152, 3));
#endif

BENCHMARK_MAIN();
