#pragma once
// String ids of the framework's own messages. A program that wants them in
// its own words puts them in its string table (FrameworkStrings.rc holds the
// English ones); without them the framework uses the same English texts.
#define IDP_PARSE_INT_RANGE 61714
#define IDP_PARSE_UINT 61719
