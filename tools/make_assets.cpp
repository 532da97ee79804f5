// Writes the scene's textures and sound into the folder named on the command line.
#include "tools/asset_set.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << (argc > 0 ? argv[0] : "spherarium_make_assets")
                  << " OUTPUT_FOLDER\n";
        return 1;
    }
    return writeAssetFiles(makeAssetFiles(), argv[1], std::cerr);
}
