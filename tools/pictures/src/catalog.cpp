#include <cstdio>
#include <cstdlib>
#include <utility>

#include "faces.h"

std::vector<Face> allFaces() {
    std::vector<Face> faces;
    // One stream per family, so retuning one family leaves the others' faces as they were.
    uint64_t seed = 0xB815A10;
    auto add = [&](void (*family)(std::vector<Face>&, Rng&)) {
        Rng rng(seed++);
        family(faces, rng);
    };
    add(addPlanets);
    add(addGasGiants);
    add(addMoons);
    add(addNebulae);
    add(addMarbles);
    add(addGlassBalls);
    add(addBubbles);
    add(addGems);
    add(addEyes);
    add(addFlowers);
    add(addFruit);
    add(addFractals);
    add(addStones);
    add(addWood);
    add(addShells);
    add(addMetal);
    if (faces.size() != 128) {
        std::fprintf(stderr, "expected 128 faces, have %zu\n", faces.size());
        std::exit(1);
    }
    // Interleave the families so neighbouring cells differ; fixed seed, so the order never changes.
    Rng shuffle(0x5EED);
    for (size_t i = faces.size(); i > 1; --i) std::swap(faces[i - 1], faces[static_cast<size_t>(shuffle.below(static_cast<int>(i)))]);
    return faces;
}
