#pragma once
// The key material of the submission code. The keeper of the public table decodes with the
// same values: change one and every code sent before stops decoding. Everything is checked
// at compile time.

#include <array>
#include <string_view>

#include "code_tables.h"

namespace tro::submission {

inline constexpr int kNameLength = 40;
inline constexpr int kGameIdLength = 20;
inline constexpr int kNumberDigits = 20;
inline constexpr int kLongLength = 654;
inline constexpr int kSymbolCount = 118;
inline constexpr int kCodeLength = 124;

// Name permutation: character i of the scrambled name is character kNamePermutation[i] of
// the padded name (both 1-based).
inline constexpr std::array<int, kNameLength> kNamePermutation = {
    36, 24, 10, 40, 35, 18, 20, 33, 5, 4, 13, 28, 12, 19, 30, 26, 11, 29, 37, 2,
    27, 31, 7,  16, 9,  32, 22, 38, 6, 3, 15, 8,  39, 34, 25, 14, 17, 1,  21, 23,
};
inline constexpr std::array<int, kNameLength> kNameInverse = codes::inverse(kNamePermutation);
static_assert(codes::isPermutation(kNamePermutation), "the name permutation must hold 1..40");
static_assert(codes::areInverse(kNamePermutation, kNameInverse));

// Id permutation: scrambles the padded game id, the first number field and the check field.
inline constexpr std::array<int, kGameIdLength> kIdPermutation = {
    4, 17, 1, 19, 8, 5, 9, 2, 15, 13, 16, 7, 14, 6, 20, 10, 11, 18, 3, 12,
};
inline constexpr std::array<int, kGameIdLength> kIdInverse = codes::inverse(kIdPermutation);
static_assert(codes::isPermutation(kIdPermutation), "the id permutation must hold 1..20");
static_assert(codes::areInverse(kIdPermutation, kIdInverse));

// Digit key: entries 5 to 24 (1-based) are added to the second number field.
inline constexpr std::string_view kDigitKey = "36121765748671206491353541";
static_assert(kDigitKey.size() == 26);
static_assert([] {
    for (const char c : kDigitKey) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}());

// Long permutation: binary digit i of the mixed field is digit kLongPermutation[i] of the
// joined fields.
inline constexpr std::array<int, kLongLength> kLongPermutation = {
    591, 366, 25,  407, 33,  254, 425, 274, 335, 40,  378, 22,  641, 386, 501, 130, 309, 221, 181,
    326, 543, 214, 144, 349, 372, 597, 447, 255, 586, 250, 614, 616, 303, 652, 392, 165, 631, 455,
    450, 283, 526, 270, 193, 4,   41,  402, 525, 187, 212, 412, 381, 16,  109, 463, 630, 646, 352,
    338, 489, 380, 418, 83,  569, 632, 62,  80,  131, 556, 517, 545, 325, 140, 235, 257, 600, 2,
    340, 588, 461, 222, 151, 627, 513, 163, 160, 81,  186, 539, 451, 106, 113, 498, 448, 138, 286,
    18,  264, 96,  320, 84,  245, 126, 292, 85,  297, 606, 248, 167, 405, 107, 421, 533, 460, 530,
    278, 12,  432, 390, 123, 454, 589, 279, 510, 610, 355, 258, 410, 149, 385, 538, 484, 557, 14,
    189, 124, 92,  492, 316, 384, 394, 583, 233, 174, 35,  356, 272, 299, 477, 324, 491, 290, 602,
    411, 281, 317, 95,  260, 487, 111, 486, 275, 524, 79,  339, 485, 234, 388, 373, 171, 198, 346,
    125, 102, 578, 132, 82,  97,  566, 357, 628, 508, 590, 141, 420, 289, 471, 575, 478, 284, 90,
    224, 329, 217, 98,  603, 259, 528, 115, 440, 639, 157, 476, 620, 119, 562, 305, 563, 358, 359,
    310, 348, 64,  104, 444, 66,  195, 244, 559, 453, 28,  192, 415, 280, 207, 499, 114, 414, 204,
    540, 147, 236, 333, 507, 44,  146, 266, 65,  596, 313, 519, 261, 579, 1,   506, 536, 452, 276,
    598, 288, 438, 87,  21,  129, 362, 252, 308, 416, 277, 30,  57,  154, 267, 585, 262, 86,  314,
    168, 213, 409, 512, 155, 496, 180, 121, 89,  72,  371, 397, 573, 242, 376, 612, 608, 516, 91,
    534, 367, 183, 550, 269, 509, 210, 466, 377, 592, 287, 291, 336, 294, 268, 220, 593, 13,  531,
    428, 311, 360, 10,  208, 570, 190, 587, 88,  548, 571, 120, 387, 101, 445, 488, 77,  544, 170,
    74,  618, 383, 429, 45,  8,   439, 78,  103, 206, 237, 203, 256, 201, 148, 265, 604, 458, 626,
    650, 152, 417, 379, 161, 52,  9,   518, 50,  404, 282, 497, 302, 231, 542, 184, 345, 561, 619,
    322, 469, 307, 490, 315, 127, 467, 321, 137, 482, 166, 327, 576, 640, 443, 503, 475, 197, 94,
    55,  75,  31,  240, 67,  555, 271, 108, 449, 613, 403, 558, 599, 191, 100, 642, 436, 567, 464,
    215, 46,  399, 169, 370, 605, 553, 3,   406, 564, 537, 43,  654, 634, 216, 227, 635, 211, 581,
    622, 580, 110, 522, 645, 47,  229, 337, 205, 105, 188, 304, 232, 330, 293, 34,  343, 368, 71,
    179, 63,  413, 93,  68,  393, 61,  239, 328, 135, 253, 32,  617, 468, 653, 395, 500, 122, 173,
    427, 624, 446, 389, 431, 69,  26,  150, 200, 56,  609, 495, 625, 298, 391, 374, 223, 546, 470,
    441, 251, 116, 199, 523, 582, 364, 341, 572, 153, 118, 243, 505, 142, 164, 6,   611, 514, 17,
    502, 465, 263, 424, 112, 636, 225, 156, 76,  433, 59,  607, 353, 494, 296, 615, 396, 560, 128,
    426, 375, 547, 504, 419, 39,  332, 202, 568, 60,  347, 601, 5,   29,  350, 172, 99,  361, 226,
    483, 408, 241, 139, 638, 647, 480, 363, 53,  472, 38,  401, 136, 651, 521, 273, 301, 549, 354,
    515, 176, 159, 117, 196, 73,  529, 19,  474, 158, 323, 37,  134, 49,  621, 565, 577, 623, 300,
    145, 230, 182, 520, 532, 527, 318, 423, 194, 382, 422, 437, 574, 27,  218, 344, 430, 70,  209,
    457, 473, 238, 435, 479, 584, 15,  246, 177, 594, 342, 351, 11,  459, 552, 493, 48,  481, 319,
    7,   133, 249, 24,  334, 312, 219, 648, 629, 228, 20,  143, 462, 58,  369, 306, 36,  295, 456,
    511, 365, 637, 595, 247, 551, 178, 331, 643, 442, 633, 285, 535, 54,  51,  434, 398, 175, 23,
    162, 400, 185, 644, 42,  649, 541, 554,
};
inline constexpr std::array<int, kLongLength> kLongInverse = codes::inverse(kLongPermutation);
static_assert(codes::isPermutation(kLongPermutation), "the long permutation must hold 1..654");
static_assert(codes::areInverse(kLongPermutation, kLongInverse));

inline constexpr std::string_view kStampMarker = "1000";
inline constexpr std::string_view kCheckMarker = "0101000101000011";
inline constexpr std::string_view kTailMarker = "1011000100";
inline constexpr std::string_view kLeadMarker = "01";
static_assert(kStampMarker.size() == 4 && codes::isBinary(kStampMarker));
static_assert(kCheckMarker.size() == 16 && codes::isBinary(kCheckMarker));
static_assert(kTailMarker.size() == 10 && codes::isBinary(kTailMarker));
static_assert(kLeadMarker.size() == 2 && codes::isBinary(kLeadMarker));

// The six lower-case letters every submission code ends with.
inline constexpr std::string_view kSuffix = "mxccso";
static_assert(kSuffix.size() == 6 && [] {
    for (const char c : kSuffix) {
        if (c < 'a' || c > 'z') {
            return false;
        }
    }
    return true;
}());
static_assert(kSymbolCount + kSuffix.size() == kCodeLength);

// The five rearrangements of the second number field, in the order they are applied; entry i
// names the (1-based) source digit of output digit i.
using Rearrangement = std::array<int, kNumberDigits>;
inline constexpr std::array<Rearrangement, 5> kRearrangements = {{
    // the last 10 digits, then the first 10
    {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
    // digits 12-14, 1-11, 15-20
    {12, 13, 14, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 16, 17, 18, 19, 20},
    // digits 2, 19, 3-18, 1, 20
    {2, 19, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 20},
    // digits 6, 17, 7-16, 1-5, 18-20
    {6, 17, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4, 5, 18, 19, 20},
    // the last 8 digits, then the first 12
    {13, 14, 15, 16, 17, 18, 19, 20, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
}};
static_assert(
    [] {
        for (const auto& r : kRearrangements) {
            if (!codes::isPermutation(r)) {
                return false;
            }
        }
        return true;
    }(),
    "every rearrangement must move each digit exactly once");

// Byte table: entry c is c as eight binary digits, least significant first.
inline constexpr std::array<std::array<char, 8>, 256> kByteTable = [] {
    std::array<std::array<char, 8>, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = codes::lsbDigits<8>(c);
    }
    return table;
}();
static_assert(std::string_view(kByteTable[1].data(), 8) == "10000000");
static_assert(std::string_view(kByteTable[192].data(), 8) == "00000011");

}  // namespace tro::submission
