#pragma once

#include "retained/xfile/parsed_document.h"
#include "retained/xfile/token_stream.h"

namespace varnoka::xfile {

// Reads every template and data object of a file body; throws BadFile when it is malformed.
ParsedDocument ReadDocument(TokenStream& tokens);

}  // namespace varnoka::xfile
