#pragma once

#include <functional>
#include <string>
#include <vector>

#include "color.h"
#include "rng.h"

// One button face: content at (x, y), y up, the disc's rim at radius 1.
struct Face {
    std::string name;
    std::function<Col(double x, double y)> at;
    double gloss = 1.0;
};

// Each family appends its faces; the Rng gives every face its own parameters.
void addPlanets(std::vector<Face>& out, Rng& rng);
void addGasGiants(std::vector<Face>& out, Rng& rng);
void addMoons(std::vector<Face>& out, Rng& rng);
void addNebulae(std::vector<Face>& out, Rng& rng);
void addMarbles(std::vector<Face>& out, Rng& rng);
void addGlassBalls(std::vector<Face>& out, Rng& rng);
void addBubbles(std::vector<Face>& out, Rng& rng);
void addGems(std::vector<Face>& out, Rng& rng);
void addEyes(std::vector<Face>& out, Rng& rng);
void addFlowers(std::vector<Face>& out, Rng& rng);
void addFruit(std::vector<Face>& out, Rng& rng);
void addFractals(std::vector<Face>& out, Rng& rng);
void addStones(std::vector<Face>& out, Rng& rng);
void addWood(std::vector<Face>& out, Rng& rng);
void addShells(std::vector<Face>& out, Rng& rng);
void addMetal(std::vector<Face>& out, Rng& rng);

// All 128 faces in atlas order.
std::vector<Face> allFaces();
