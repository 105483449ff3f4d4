// An operator new that fails on command, so that a test can make memory run out at every
// allocation of an export in turn. The test program that links it replaces the global
// allocation functions for itself and for every library it loads.
#pragma once

namespace toolkit_test {

// From now on the allocation numbered `index` (0 is the next one) throws std::bad_alloc; a
// negative index turns failures off.
void failAllocation(long index);
// True when the armed failure has happened since failAllocation.
bool allocationFailed();

} // namespace toolkit_test
