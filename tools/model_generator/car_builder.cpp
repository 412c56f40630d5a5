#include "tools/model_generator/car_builder.h"

#include <algorithm>
#include <limits>

#include "tools/model_generator/body_shape.h"
#include "tools/model_generator/car_trim.h"
#include "tools/model_generator/palette.h"
#include "tools/model_generator/wheel.h"

namespace varnoka::models {

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Bounds {
    Vec3 low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
             std::numeric_limits<double>::max()};
    Vec3 high{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
              std::numeric_limits<double>::lowest()};

    void Include(Vec3 p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    void Include(const Mesh& mesh, const Placement& placement) {
        for (const Vec3& p : mesh.positions) Include(placement.Apply(p));
    }
};

std::vector<PartFrame> WheelFrames(const CarDesign& design, const BodyShape& shape) {
    const WheelDesign& w = design.wheels;
    const std::vector<std::string> wheel{"Tyre", "Rim"};
    // The wheel's face looks along -z, out of the right-hand side; the left-hand wheels are
    // turned round to face +z.
    const auto frame = [&](const char* name, double x, bool left) {
        const Vec3 centre{x, w.radius, left ? w.track : -w.track};
        return PartFrame{name, left ? TurnAboutY(Pi, centre) : Translation(centre), {}, wheel};
    };
    std::vector<PartFrame> frames{frame("FrontLeftWheel", w.frontAxle, true),
                                  frame("FrontRightWheel", w.frontAxle, false),
                                  frame("RearLeftWheel", w.rearAxle, true), frame("RearRightWheel", w.rearAxle, false)};
    if (design.extras.spareWheel) {
        // Upright on the tailgate, its face towards the back.
        const double x = shape.TailX() - w.width / 2 - 0.03;
        const double y = shape.SectionAt(shape.TailX()).centreY + 0.05;
        frames.push_back({"SpareWheel", TurnAboutY(Pi / 2, {x, y, 0}), {}, wheel});
    }
    return frames;
}

void Scale(Mesh& mesh, double factor) {
    for (Vec3& p : mesh.positions) p = p * factor;
}

}  // namespace

CarModel BuildCar(const CarDesign& design) {
    CarModel car;
    car.name = design.name;
    car.palette = MakePalette(design.paint, PlateTextureName(design.name));
    car.sharedParts = MakeWheelParts(design.wheels);

    const BodyShape shape(design);
    PartFrame body{"Body", Placement{}, {}, {}};
    body.parts.push_back({"Shell", shape.MakeBody(), 50});
    if (design.cabin.present) body.parts.push_back({"Glasshouse", shape.MakeCabin(), 35});
    Mesh trim = MakeTrim(design, shape);
    Append(trim, MakeExtras(design, shape));
    body.parts.push_back({"Trim", trim, 45});
    car.frames.push_back(body);
    for (PartFrame& wheel : WheelFrames(design, shape)) car.frames.push_back(wheel);

    Bounds bounds;
    for (const PartFrame& frame : car.frames) {
        for (const Part& part : frame.parts) bounds.Include(part.mesh, frame.placement);
        for (const Part& shared : car.sharedParts) {
            const auto& names = frame.sharedParts;
            if (std::find(names.begin(), names.end(), shared.name) != names.end()) {
                bounds.Include(shared.mesh, frame.placement);
            }
        }
    }
    // Bumper to bumper, spare wheel and bull bar included.
    const double factor = CarLength / (bounds.high.x - bounds.low.x);
    for (Part& part : car.sharedParts) Scale(part.mesh, factor);
    for (PartFrame& frame : car.frames) {
        frame.placement.offset = frame.placement.offset * factor;
        for (Part& part : frame.parts) Scale(part.mesh, factor);
    }
    car.offset = (bounds.low + bounds.high) * (-0.5 * factor);
    return car;
}

}  // namespace varnoka::models
