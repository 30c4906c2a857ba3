// The fuzzers feed their own bytes: they build no resources in, and whatever
// would look one up finds nothing.
#include "common/resources.h"

const ResourceEntry ResourceTable[] = {{"", nullptr, nullptr}};
const int ResourceCount = 0;
