#include "known_model_counts.h"

// The Unix root is Wine's drive Z:.
TEST(KnownModel, LoadsWithTheSameCountsInEveryBuild) { ExpectPartsCarCounts("Z:" VARNOKA_TEST_DATA "/parts_car.x"); }
