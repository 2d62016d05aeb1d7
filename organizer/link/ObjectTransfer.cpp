#include "organizer/link/ObjectTransfer.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TextRoutines.h"

namespace tessaro {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");
const QByteArray kCr = QByteArrayLiteral("\r");
const QByteArray kCtrlZ = QByteArray(1, '\x1a');
const QByteArray kPrompt = QByteArrayLiteral(">\r\n");
const QByteArray kOk = QByteArrayLiteral("OK");

[[noreturn]] void readError(int number, int textOffset)
{
    throw OrgError(number, QStringLiteral("EmpfangeDatenobjektVonMs"), LangText(textOffset));
}

std::int64_t numberOf(const QByteArray& field)
{
    return LeadingNumber(QString::fromLatin1(field));
}

} // namespace

QByteArray EmptyObjectBytes()
{
    return QByteArray("E\0M\0P\0T\0Y\0", 10);
}

int BlockCount(qsizetype size)
{
    // Int((size - 1) / 150) + 1, with Int rounding down: an empty object has no block.
    return size <= 0 ? 0 : int((size - 1) / BlockSize) + 1;
}

QByteArray ParseSbnrAnswer(QByteArray answer, const QByteArray& type, int index,
                           const std::function<void()>& betweenBlocks)
{
    StripChars(answer, QByteArrayLiteral(" "));
    if (!answer.contains("^SBNR"))
        return EmptyObjectBytes();
    if (!SplitToken(answer, QByteArrayLiteral(":")).contains("^SBNR"))
        readError(ErrWrongType, TxtWrongType);
    // Drops the closing OK; neither hex digits nor the type contain these letters.
    StripChars(answer, QByteArrayLiteral("OK"));

    QByteArray data;
    std::int64_t count = 0;
    std::int64_t block = 1;
    do {
        const QByteArray typeField = SplitToken(answer, QByteArrayLiteral(","));
        const QByteArray locationField = SplitToken(answer, QByteArrayLiteral(","));
        const QByteArray blockField = SplitToken(answer, QByteArrayLiteral(","));
        count = numberOf(SplitToken(answer, kCrLf));
        if (typeField != type)
            readError(ErrWrongType, TxtWrongType);
        if (numberOf(locationField) != index)
            readError(ErrWrongSubtype, TxtWrongSubtype);
        if (numberOf(blockField) != block)
            readError(ErrWrongBlockNumber, TxtWrongBlockNumber);
        if (count <= 1) {
            data += answer;
            break;
        }
        if (answer.contains("^SBNR")) {
            const qsizetype next = answer.indexOf("^SBNR:");
            if (next < 0)
                readError(ErrWrongBlockNumber, TxtWrongBlockNumber);
            data += answer.left(next);
            answer.remove(0, next + 6);
        } else if (block == count) {
            data += answer;
        } else {
            readError(ErrWrongBlockNumber, TxtWrongBlockNumber);
        }
        if (betweenBlocks)
            betweenBlocks();
        ++block;
    } while (block <= count);
    StripChars(data, kCrLf);
    return HexTextToBytes(data);
}

QByteArray UploadResetCommand(const QByteArray& stateAnswer)
{
    const qsizetype quote = stateAnswer.indexOf('"');
    if (quote < 0)
        return {};
    const qsizetype comma = stateAnswer.indexOf(',', quote + 1);
    if (comma < 0)
        return {};
    return QByteArrayLiteral("AT^SBNW=") + stateAnswer.mid(quote, comma - quote + 1) +
           QByteArray::number(numberOf(stateAnswer.mid(comma + 1)));
}

bool UploadIdle(const QByteArray& stateAnswer)
{
    return stateAnswer.contains("^SBNW: \"\",0,0,0");
}

void TransferPauseWait()
{
    if (TransferPause > 0)
        ComDrvForm().waitPause();
}

void EmpfangeDatenobjektVonMs(QByteArray& data, const QByteArray& type, std::int16_t index)
{
    TransferPauseWait();
    SendToMobile(QByteArrayLiteral("AT^SBNR=") + type + ',' + QByteArray::number(index) + kCr);
    QByteArray answer;
    ReceiveFromMobile(answer, kOk);
    data = ParseSbnrAnswer(answer, type, index, TransferPauseWait);
}

void SendeDatenobjektAnMs(const QByteArray& data, const QByteArray& type, std::int16_t index)
{
    const int count = BlockCount(data.size());
    for (int block = 1; block <= count; ++block) {
        const qsizetype from = qsizetype(block - 1) * BlockSize;
        const QByteArray chunk = data.mid(from, MinLong(std::int32_t(block * BlockSize - 1),
                                                         std::int32_t(data.size() - 1)) - from + 1);
        TransferPauseWait();
        SendToMobile(QByteArrayLiteral("AT^SBNW=") + type + ',' + QByteArray::number(index) + ',' +
                     QByteArray::number(block) + ',' + QByteArray::number(count) + kCr);
        QByteArray answer;
        ReceiveFromMobile(answer, kPrompt);
        SendToMobile(BytesToHexText(chunk) + kCtrlZ);
        ReceiveFromMobile(answer, kOk);
        if (block < count)
            TransferPauseWait();
    }
}

void Loesch(const QByteArray& type, std::int16_t index)
{
    SendToMobile(QByteArrayLiteral("AT^SBNW=") + type + ',' + QByteArray::number(index) + ",0" + kCr);
    QByteArray answer;
    ReceiveFromMobile(answer, kOk);
}

void SendToMobile(const QByteArray& text)
{
    ComDrvSendeAnMs(text);
}

void ReceiveFromMobile(QByteArray& answer, const QByteArray& token)
{
    ComDrvEmpfangeVonMs(answer, token);
}

} // namespace tessaro
