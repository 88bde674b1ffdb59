// Writes the manifest of the eight data files of a folder (data/data_manifest.h):
//   make_manifest DIR
// Run by the build after the tables are made or copied; a file that cannot be read ends the
// run with a message and a non-zero exit, and no manifest is left half written.
#include "data/data_manifest.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_manifest DIR\n");
        return 2;
    }
    std::string error;
    if (!steam::data::writeManifest(argv[1], error)) {
        std::fprintf(stderr, "make_manifest: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
