#!/usr/bin/env bash
# Renders the export pictures of the README from the example design:
# docs/lamination.png (the DXF drawing, read back) and docs/sector-mesh.png
# (the Gmsh geometry meshed by gmsh). Needs a build, gmsh and xvfb-run.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$root/build/bin}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

design=$root/examples/default-motor.json
"$bin/lamina-cli" export --design "$design" --output "$work/lamination.dxf"
"$bin/lamina-dxf-picture" "$work/lamination.dxf" "$root/docs/lamination.png" 900

"$bin/lamina-cli" export --design "$design" --output "$work/sector.geo"
gmsh -2 "$work/sector.geo" -format msh2 -o "$work/sector.msh" -v 1
cat > "$work/picture.geo" <<GEO
Merge "$work/sector.msh";
General.GraphicsWidth = 900;
General.GraphicsHeight = 900;
General.Axes = 0;
General.SmallAxes = 0;
General.BackgroundGradient = 0;
General.Color.Background = {255, 255, 255};
General.Color.Foreground = {0, 0, 0};
General.Color.Text = {0, 0, 0};
Mesh.SurfaceFaces = 1;
Mesh.SurfaceEdges = 1;
Mesh.Lines = 0;
Mesh.Points = 0;
Mesh.ColorCarousel = 2;
Print "$root/docs/sector-mesh.png";
Exit;
GEO
xvfb-run -a gmsh "$work/picture.geo" >/dev/null 2>&1
echo "docs/lamination.png and docs/sector-mesh.png written"
