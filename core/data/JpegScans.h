// Counting the scans of a JPEG stream from its markers, without decoding:
// a progressive picture of thousands of scans costs a walk over the whole
// picture per scan, and is better refused before any of them.
#pragma once
#include "data/ByteBlock.h"

// More scans than this are refused; the decoder's own limit is the same.
constexpr int kMaxJpegScans = 500;

// The number of start-of-scan markers after the start of the stream,
// stepping over each marker segment by its length and over each scan's
// coded data. Counting ends at the end-of-image marker, at the end of the
// bytes, or once the count passes `limit`.
int CountJpegScans(ByteBlock bytes, int limit = kMaxJpegScans);
