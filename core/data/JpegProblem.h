// What can be wrong with the map picture's JPEG bytes, and how to tell the
// user: either the picture is refused (nothing to show) or it is shown with
// a fault (part of it missing or wrong).
#pragma once
#include <string>

enum class JpegProblem {
    None,
    // Refused: nothing is decoded.
    Empty,         // no bytes at all
    NotJpeg,       // the bytes do not start a JPEG file
    HeaderOnly,    // the file stops before the picture's data
    ZeroSize,      // a width or height of 0
    TooLarge,      // more pixels than the program takes
    Cmyk,          // print colours (four components)
    Precision,     // samples of 12 or 16 bits
    Process,       // lossless or hierarchical coding
    TooManyScans,  // a progressive file with an unreasonable number of passes
    NoMemory,      // not enough memory for the decoded picture
    Damaged,       // refused by the decoder for another reason
    // Shown with a fault.
    Truncated,     // the file ends early: the rest of the picture is grey
    Corrupt,       // damaged data: part of the picture may be wrong
};

// Whether the picture is refused rather than shown with a fault.
bool IsRefusal(JpegProblem problem);

// Why, in French (UTF-8), for a message such as "carte illisible : <why>".
// Empty for None.
std::string JpegProblemText(JpegProblem problem);

// Whether libjpeg-turbo's message is one of its warnings (damage it decodes
// through) rather than an error.
bool IsJpegWarningMessage(const std::string& message);
// The problem a decoder's refusal stands for, from libjpeg-turbo's message.
JpegProblem ClassifyJpegError(const std::string& message);
// The fault a decoder's warning stands for, from its message.
JpegProblem ClassifyJpegWarning(const std::string& message);
