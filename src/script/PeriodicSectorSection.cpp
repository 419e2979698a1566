#include "NumberText.h"
#include "Sections.h"
#include "SlotSections.h"

namespace lamina {

using shorthand::divide;

void writePeriodicSector(ScriptText &out, const MotorModel &m, const ScriptNumbering &numbering)
{
    const double airGapX = divide((m.DI1 - m.D2) / 2, m.air, u"(DI1 - D2) / 2 / air", u"air") + m.D2 / 2;
    // clang-format off
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],");
    out.line("         uvw=['", doubleText(airGapX), "','0','0'],");
    out.line("                 nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    // clang-format on

    const Int16 P = m.periodNumber;
    if (P <= 1)
        return;

    using enum SectorPoint;
    const auto n = [&numbering](SectorPoint point) { return doubleText(numbering.sectorPoint(point)); };

    // clang-format off
    out.line("TransfRotation3AnglesPivotCoord(name='rper',coordSys=CoordSys['XY1'],pivotCoord=['0','0'],rotationAngles=RotationAngles(angleZ='", doubleText(360 / P.toDouble()), "'))");
    out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RPER'],point=Point[", n(AirGap), "],");
    out.line("    nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='D2/2+(DI1-D2)/2/AIR',");
    out.line("     defPoint=[Point[", n(AirGap), "],Point[", n(AirGapTurned), "]],");
    out.line("     nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");

    // The rotor surface from each edge to the nearest rotor slot; over closed
    // slots it is one arc from edge to edge.
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],");
    out.line("             uvw=['D2/2','0','0'],");
    out.line("             nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RPER'],");
    out.line("                point=Point[", n(RotorSurface), "],");
    out.line("                nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    if (!numbering.rotorSurfaceCorners()) {
        // Over closed slots: through the mesh points over each bridge.
        const std::vector<std::string> angles = rotorSlotDrawing(m)->bridgeAngles;
        const Int16 slots = roundToInteger(numbering.rotorSlots());
        for (Int16 j = 1; j <= slots; j = j + 1) {
            const int turns = int(j.toDouble()) - 1;  // slot pitches from the first slot's axis
            const std::string axis = turns == 0 ? "" : turns == 1 ? "360/Z2" : std::to_string(turns) + "*360/Z2";
            for (const std::string &angle : angles) {
                std::string at = axis.empty() || angle != "0" ? angle : axis;
                if (!axis.empty() && angle != "0") {
                    at = axis;
                    at += angle.front() == '-' ? "" : "+";
                    at += angle;
                }
                out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['R_R'],");
                out.line("             uvw=['D2/2','", at, "','0'],");
                out.line("             nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
            }
        }
        std::string from = n(RotorSurface);
        const auto surfaceArc = [&](const std::string &to) {
            out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='D2/2',");
            out.line("    defPoint=[Point[", from, "],Point[", to, "]],");
            out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
            from = to;
        };
        for (Int16 j = 1; j <= slots; j = j + 1)
            for (int k = 0; k < numbering.bridgePoints(); ++k)
                surfaceArc(doubleText(numbering.bridgePoint(j, k)));
        surfaceArc(n(RotorSurfaceTurned));
    } else {
        out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='D2/2',");
        out.line("    defPoint=[Point[", n(RotorSurface), "],Point[", integerText(numbering.firstRotorNearCorner()), "]],");
        out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
        out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='D2/2',");
        out.line("    defPoint=[Point[", doubleText(numbering.lastRotorCopyFarCorner()), "],Point[", n(RotorSurfaceTurned), "]],");
        out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    }

    // The bore from each edge to the nearest stator slot.
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],");
    out.line("             uvw=['DI1/2','0','0'],");
    out.line("             nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RPER'],");
    out.line("                point=Point[", n(Bore), "],");
    out.line("                nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='DI1/2',");
    out.line("    defPoint=[Point[", n(Bore), "],Point[", doubleText(numbering.statorNearBoreCorner()), "]],");
    out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='DI1/2',");
    out.line("    defPoint=[Point[", doubleText(numbering.lastStatorCopyFarCorner()), "],Point[", n(BoreTurned), "]],");
    out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");

    // The stator outer circle and the shaft circle, from edge to edge.
    out.line("PointCoordinates(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],uvw=['D1/2','0','0'],nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    out.line("PointPropagated(color=Color['White'],visibility=Visibility['VISIBLE'],transf=Transf['RPER'],");
    out.line("            point=Point[", n(Outer), "],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshPoint['AIDED_MESHPOINT'])");
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='D1/2',");
    out.line("          defPoint=[Point[", n(Outer), "],Point[", n(OuterTurned), "]],");
    out.line("          nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("PointCoordinates[8].propagate(transformation=Transf['RPER'],repetitionNumber=1)");
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='Di2/2',");
    out.line("          defPoint=[Point[8],Point[", n(ShaftTurned), "]],");
    out.line("          nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");

    // The rotor surface between neighbouring rotor slots.
    if (numbering.rotorSurfaceCorners()) {
        out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='D2/2',");
        out.line("    defPoint=[Point[", integerText(numbering.firstRotorFarCorner()), "],Point[", doubleText(numbering.firstRotorCopyNearCorner()), "]],");
        out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
        const Int16 rotorGaps = numbering.rotorGapsBetweenCopies();
        for (Int16 j = 1; j <= rotorGaps; j = j + 1) {
            out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='D2/2',");
            out.line("    defPoint=[Point[", integerText(numbering.rotorCopyFarCorner(j)), "],Point[", doubleText(numbering.nextRotorCopyNearCorner(j)), "]],");
            out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
        }
    }

    // The bore between neighbouring stator slots.
    out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='Di1/2',");
    out.line("    defPoint=[Point[", doubleText(numbering.statorFarBoreCorner()), "],Point[", doubleText(numbering.firstStatorCopyNearCorner()), "]],");
    out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    const Int16 statorGaps = numbering.statorGapsBetweenCopies();
    for (Int16 k = 1; k <= statorGaps; k = k + 1) {
        out.line("LineArcRadius(color=Color['White'],visibility=Visibility['VISIBLE'],coordSys=CoordSys['XY1'],radius='Di1/2',");
        out.line("    defPoint=[Point[", doubleText(numbering.statorCopyFarCorner(k)), "],Point[", doubleText(numbering.nextStatorCopyNearCorner(k)), "]],");
        out.line("    nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    }

    // The two sector edges, from the centre outwards.
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("        defPoint=[Point[7],Point[8]],");
    out.line("        nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[8],Point[", n(RotorSurface), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(RotorSurface), "],Point[", n(AirGap), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(AirGap), "],Point[", n(Bore), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(Bore), "],Point[", n(Outer), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(Outer), "],Point[1]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[7],Point[", n(ShaftTurned), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(ShaftTurned), "],Point[", n(RotorSurfaceTurned), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(RotorSurfaceTurned), "],Point[", n(AirGapTurned), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(AirGapTurned), "],Point[", n(BoreTurned), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(BoreTurned), "],Point[", n(OuterTurned), "]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    out.line("LineSegment(color=Color['White'],visibility=Visibility['VISIBLE'],");
    out.line("            defPoint=[Point[", n(OuterTurned), "],Point[3]],");
    out.line("            nature=Nature['STANDARD'],mesh=MeshLine['AIDED_MESHLINE'],relaxation=RelaxLine['AIDED_RELAXLINE'])");
    // clang-format on
}

}  // namespace lamina
