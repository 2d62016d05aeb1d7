// Melodies written as RTTTL text: "name:d=4,o=5,b=120:8c6,e,g.,p". The parser replaces the
// melody of a document; its refusals are reported through the error reporter (class 4).
#pragma once

#include <cstddef>
#include <string_view>

class CMelvioDoc;
class ErrorReporter;

constexpr std::size_t RTTTL_MAX_TEXT = 710;
constexpr std::size_t RTTTL_MAX_NAME = 20;
constexpr std::size_t RTTTL_MAX_TOKEN = 6;
constexpr int RTTTL_DEFAULT_DURATION = 4;
constexpr int RTTTL_DEFAULT_OCTAVE = 6;
// A rest's letter P stands for this semitone.
constexpr int RTTTL_REST = 100;

enum class RtttlResult {
    Done,          // every note read (stray suffix characters may have been reported)
    HeaderRefused, // the name or the defaults were refused: the melody is untouched
    NotesRefused,  // a note was too long: the melody is untouched
    Ended,         // a note was refused: the notes before it are in, the rest whole rests
};

int CountChar(std::string_view text, char ch);

// C 0, D 2, E 4, F 5, G 7, A 9, B and H 11, P RTTTL_REST; any other letter is reported
// (4, 40014) and gives -1.
int NoteLetterToSemitone(char letter, ErrorReporter* errors);

RtttlResult ParseRtttl(CMelvioDoc& doc, std::string_view text, ErrorReporter* errors);
