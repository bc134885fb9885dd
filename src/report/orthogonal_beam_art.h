#pragma once
// The illustration of pull-out passed through orthogonal beams: two second-floor columns ① and ② on a
// small beam with no first-floor column below, the orthogonal second-floor beams that carry the small
// beam, and the first-floor columns that take the pull-out, with arrows along the path. Vector artwork
// drawn through the page-drawing routines.

namespace rqx {

class PrintSurface;

// Draws the illustration with its top-left corner at (left, top) cm from the printable origin and
// returns its height in cm.
float DrawOrthogonalBeamArt(PrintSurface &surface, float left, float top);
// The illustration's height in cm.
float OrthogonalBeamArtHeight();

}  // namespace rqx
