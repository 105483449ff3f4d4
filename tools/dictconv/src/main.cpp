// Dictconv FILE.dss: the DSS converter that Import runs for ".dss" dictations.

#include "dictconv/dictconv.h"

#include <cstdio>

int main(int argc, char** argv) {
    return dictconv::RunDictconv(argc, argv, stdout, stderr);
}
