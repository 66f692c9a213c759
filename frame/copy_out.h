// How a writer hands its rendered text to the caller's buffer. Every writer
// uses exactly one of these; each says which objects use it.
#pragma once

#include <cstddef>
#include <string_view>

#include "quon/platform_types.h"

namespace quon {

// Copy-out, the usual form: when text fits in capacity its bytes (no NUL)
// are copied, *written receives their count and the result is status;
// otherwise E_FAIL and nothing is touched. A null buffer or written pointer
// gives E_POINTER.
// Used by: look-up table and list, geometry info, edge blend, geometry
// adjustment, black level, colour matching, black-level detection init,
// calibration point table.
HRESULT CopyOut(std::string_view text, char* buffer, UINT32 capacity, UINT32* written, HRESULT status = S_OK);

// Copy-out that reports the length first: a null written pointer gives
// E_POINTER; otherwise *written receives the text's length whether or not it
// fits, then the text is copied as by CopyOut.
// Used by: camera auto-calibration init.
HRESULT CopyOutReportingLength(std::string_view text, char* buffer, UINT32 capacity, UINT32* written);

// Copy-out through a scratch area of scratchSize bytes: a null buffer, a
// negative capacity, or a text that would not fit the scratch area with its
// terminator gives E_FAIL, whatever the capacity; a null written pointer
// (with a buffer) gives E_POINTER; otherwise as CopyOut.
// Used by: grid NPD info (both writers, 4096 bytes).
HRESULT CopyOutOfScratch(std::string_view text, char* buffer, INT32 capacity, UINT32* written,
                         std::size_t scratchSize);

// Terminated text: writes text followed by its NUL from the start of buffer
// and sets *length to the text length (the NUL not counted). With zeroFill
// the whole capacity is first set to zero bytes. An empty text writes
// nothing at all. When text and NUL do not fit in capacity the result is
// E_FAIL, nothing is written (but for the zero fill) and *length receives
// the text length, so that the caller can offer a larger buffer (a null
// buffer of capacity 0 asks for the length only). A null length, or a null
// buffer with a capacity, gives E_POINTER.
// Used by: detect-mark init (both texts; the parameter text zero-fills),
// marker and LED marker lists.
HRESULT PutTerminatedText(std::string_view text, char* buffer, UINT32 capacity, UINT32* length, bool zeroFill);

// Two more forms live with their writers: JSON documents go out through
// json::WriteOut (formats/json_rules.h, every JSON object), and the grid
// point map prints in place into the caller's buffer (InPlacePrinter,
// frame/format.h).

}  // namespace quon
