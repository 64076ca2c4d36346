#include "res/Resources.h"

namespace tabrel::res {

namespace {

// Tool bar strip, nine 16 x 15 pictures: new, open, save, cut, copy, paste,
// print, about, context help (not shown). '.' is transparent.
static const char* const kToolBar[] = {
    "144 15 10 1",
    ". c None",
    "# c #000000",
    "w c #FFFFFF",
    "g c #808080",
    "l c #C0C0C0",
    "y c #FFFF00",
    "o c #808000",
    "n c #000080",
    "b c #0000FF",
    "r c #FF0000",
    ".................................................................######............######.......................................#...............",
    "..#######........................##############....#.......#.....#wwww##........####llll####........########......###########...##..............",
    "..#wwwww##.......................#n#wwwwwwww#n#....#l.....l#.....#wwww#w#.......#oo#llll#oo#........#wwwwww#.....#wwwwwwwwwww#..#w#.............",
    "..#wwwww#w#......####............#n#wggggggw#n#.....#.....#......#wgg####.......#oo######oo#........#wggggw#.....#wwwbbbbwwww#..#ww#......bbb...",
    "..#wwwww####....#yyyy#######.....#n#wwwwwwww#n#.....#l...l#......#wwww######....#oooooooooo#........#wwwwww#.....#wwbbwwbbwww#..#www#....b...b..",
    "..#wwwwwwww#....#yoooooooooy#....#n#wggggggw#n#......#...#.......#wggg#wwww##...#ooooo#######.....############...#wwwwwwbbwww#..#wwww#.......b..",
    "..#wwwwwwww#....#yoo###########..#n##########n#.......#.#........#wwww#wwww#w#..#ooooo#wwwww##...#llllllllllll#..#wwwwwbbwwww#..#wwwww#.....b...",
    "..#wwwwwwww#....#yo#yyyyyyyyy#...#nnnnnnnnnnnn#........#.........#wggg#wggg####.#ooooo#wwwww#w#..#llllllllllyl#..#wwwwbbwwwww#..#wwwwww#...b....",
    "..#wwwwwwww#....#yo#yyyyyyyyy#...#nnnnnnnnnnnn#.......#.#........#wwww#wwwwwww#.#ooooo#wgggw####.#gggggggggggg#..#wwwwbbwwwww#..#wwww####..b....",
    "..#wwwwwwww#....#o#yyyyyyyyy#....#nn########nn#...rrr#...#rrr....#wggg#wggggww#.#ooooo#wwwwwwww#.##############..#wwwwwwwwwww#..#w#ww#..........",
    "..#wwwwwwww#....#o#yyyyyyyyy#....#nn#ll#lll#nn#..r...r...r...r...######wwwwwww#.#ooooo#wggggggw#.#ll#wwwwww#ll#..#wwwwbbwwwww#..##.#ww#....b....",
    "..#wwwwwwww#....##yyyyyyyyy#.....#nn#ll#lll#nn#..r...r...r...r........#wgggggw#.#ooooo#wwwwwwww#.####wggggw####..#wwwwwwwwwww#..#..#ww#.........",
    "..#wwwwwwww#....###########......#nn#ll#lll#nn#..r...r...r...r........#wwwwwww#.#ooooo#wggggggw#....#wwwwww#......###ww######.......#ww#........",
    "..##########......................#############...rrr.....rrr.........#wgggggw#.#ooooo#wwwwwwww#....########........#w#.............#ww#........",
    "......................................................................#########.################...................##................##.........",
};

// Main window and about box: an open book under a magnifier.
static const char* const kMainIcon[] = {
    "32 32 8 1",
    ". c None",
    "# c #000000",
    "w c #FFFFFF",
    "g c #808080",
    "n c #000080",
    "m c #800000",
    "c c #00FFFF",
    "t c #008080",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "..##........................##..",
    "..#w#####..............#####w#..",
    ".n#wwwwww#####....#####wwwwww#n.",
    ".n#wwwwwwwwwww#gg#wwwwwwwwwww#n.",
    ".n#wwwwwwwwwwwwggwwwwwwwwwwww#n.",
    ".n#wggggggggggwggwggggggggggw#n.",
    ".n#wwwwwwwwwwwwggwwwwwwwwwwww#n.",
    ".n#wggggggggggwggwgg#####gggw#n.",
    ".n#wwwwwwwwwwwwggww#######www#n.",
    ".n#wgggggggwwwwggw##ttttt##gw#n.",
    ".n#wwwwwwwwwwwwgg##wwccccc##w#n.",
    ".n#wggggggggggwgg##ccccccc##w#n.",
    ".n#wwwwwwwwwwwwgg##ccccccc##w#n.",
    ".n#wggggggggggwgg##ccccccc##w#n.",
    ".n#wwwwwwwwwwwwgg##ccccccc##w#n.",
    ".n#wgggggggwwwwggw##ccccc##w##n.",
    ".n#wwwwwwwwwwwwggww######mmmw#n.",
    ".n############wggw########mmm##.",
    ".n#############gg##########mmmn#",
    ".nnnnnnnnnnnnnnnnnnnnnnnnnn#mmm.",
    ".nnnnnnnnnnnnnnnnnnnnnnnnnnn#mmm",
    ".............................#mm",
    "..............................#m",
    "...............................#",
    "................................",
    "................................",
};

// Document windows: a page of text.
static const char* const kDocumentIcon[] = {
    "32 32 6 1",
    ". c None",
    "# c #000000",
    "w c #FFFFFF",
    "g c #808080",
    "l c #C0C0C0",
    "n c #000080",
    "................................",
    ".....###############............",
    ".....#wwwwwwwwwwwww##...........",
    ".....#wwwwwwwwwwwww#l#..........",
    ".....#wwwwwwwwwwwww#ll#.........",
    ".....#wwnnnnnnnnnww#lll#........",
    ".....#wwnnnnnnnnnww#llll#.......",
    ".....#wwwwwwwwwwwww#lllll#......",
    ".....#wwwwwwwwwwwww########.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwgggggggggggggggggw#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwggggggggggggggggww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwgggggggggggggggggw#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwgggggggggggggwwwww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwgggggggggggggggggw#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwgggggggggggggggwww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwgggggggggggggggggw#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwggggggggggwwwwwwww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....#wwwwwwwwwwwwwwwwwwww#.....",
    ".....######################.....",
    "................................",
};

}  // namespace

std::span<const char* const> ToolBarXpm()
{
    return kToolBar;
}

std::span<const char* const> MainIconXpm()
{
    return kMainIcon;
}

std::span<const char* const> DocumentIconXpm()
{
    return kDocumentIcon;
}

}  // namespace tabrel::res
