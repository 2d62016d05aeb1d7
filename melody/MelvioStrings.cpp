#include "melody/MelvioStrings.h"

namespace {

struct Entry {
    int id;
    std::string_view text;
};

constexpr Entry STRINGS[] = {
    {40001, "Cannot find the temp-file !"},
    {45001, "Ring ton editor cannot find a temporary directory in your system. Get more information in the help "
            "contents of your operating system to set an environment variable pointing at the temp-directory."},
    {40002, "Cannot take hold of the registry !"},
    {45002, "The program was not installed correctly. Retry the installation of Quorvane 3.0 on your computer."},
    {40003, "Cannot find any MIDI-device !"},
    {45003, "The program also works without MIDI output devices. But then you can listen to the edited melodies "
            "only on the telephone."},
    {40004, "Cannot open the MIDI-device !"},
    {45004, "Close other programs using the MIDI output device."},
    {40005, "Error while playing the melody !"},
    {45005, "A MIDI synthesizer can play back only one melody at a time. Wait until the play back stops."},
    {40006, "Error while loading the file !"},
    {45006, "The file does not correspond to the RTE-format."},
    {40007, "File too long !"},
    {45007, "You have tried to load a file. The contents of the file exceeds the capacities of this RTE-version. The "
            "melody will be cut."},
    {40008, "Cannot stop the play back of the melody !"},
    {45008, "The MIDI synthesizer cannot be stopped. Close and restart the program."},
    {40009, "Error while writing the melody to the telephone !"},
    {45009, "An Error occurred while transferring the melody to the telephone. Check the status of the telephone and "
            "try again."},
    {40010, "Error during play back of the ring tone on the telephone !"},
    {45010, "Check the status of the telephone and try again."},
    {40011, "You need to select an area !"},
    {45011, "Only selected areas can be copied or cut."},
    {40012, "The clipboard contains no text format !"},
    {45012, "The RTTTL-format is specified as text format."},
    {40013, "Cannot open the clipboard !"},
    {45013, "Clipboard cannot be opened. Probably another program uses the clipboard. "},
    {40014, "Error while loading the text !"},
    {45014, "The text does not correspond to the RTTTL-format."},
    {40015, "Error while loading the text !"},
    {45015, "The value of the duration is invalid. The duration needs to be set to one of the following values: 1, "
            "2, 4, 8, 16, 32."},
    {40016, "Error while loading the text !"},
    {45016, "The value of the octave is invalid. The octave needs to be set to one of the following values: 4, 5, 6, "
            "7."},
    {40017, "Error while loading the text !"},
    {45017, "The tempo is out of range."},
    {40018, "Error while loading the text !"},
    {45018, "The header information of the text is invalid and is not corresponding to the RTTTL-format."},
    {40019, "Not enough memory available !"},
    {45019, "You have not enough memory on your hard disk or you have no access to temporary files."},
    {40020, "Cannot create a temporary file !"},
    {45020, "Cannot take hold of the Windows folder for temporary files. Or no folder defined for temporary files in "
            "the environment variables"},
    {40021, "Cannot open the temporary file !"},
    {45021, "Cannot open the temporary file. Check the location of the temporary folder in the system.ini of your "
            "computer."},
};

} // namespace

std::string_view MelvioString(int id)
{
    for (const Entry& entry : STRINGS)
        if (entry.id == id)
            return entry.text;
    return {};
}
