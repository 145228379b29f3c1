#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "SegmentRows.h"

// Facts of the whole table and of each half (segments 0 to 2099 and 2100 to
// 4047): the stated rows, the track tables, and the counts, orders and bounds
// that every row obeys.

namespace {

struct StatedRow {
    int segment;
    int paragraph;
    int first;
    int last;
    int track;
    const char* start;
    const char* end;
};

const StatedRow kStatedRows[] = {
    {0, 0, 0, 34, 1, "0:00.040", "0:04.430"},
    {1, 21, 0, 38, 1, "0:16.440", "0:18.540"},
    {57, 22, 1740, 1762, 1, "2:21.850", "2:22.930"},
    {58, 23, 0, 38, 2, "0:00.650", "0:02.750"},
    {561, 91, 1225, 1276, 5, "3:06.550", "3:09.560"},
    {562, 94, 0, 76, 5, "3:32.940", "3:36.110"},
    {954, 165, 0, 30, 9, "0:32.780", "0:39.050"},
    {1073, 191, 0, 3, 10, "3:05.750", "3:06.050"},
    {1083, 193, 0, 53, 10, "3:34.300", "3:36.480"},
    {1084, 193, 55, 68, 10, "3:44.760", "3:45.390"},
    {1085, 193, 70, 128, 10, "3:38.020", "3:40.790"},
    {1086, 193, 130, 178, 10, "3:41.700", "3:43.870"},
    {1087, 193, 180, 235, 10, "3:44.390", "3:46.750"},
    {1573, 282, 2783, 2828, 15, "2:31.850", "2:33.900"},
    {1588, 284, 269, 287, 15, "3:14.120", "3:15.210"},
    {1589, 284, 289, 352, 16, "0:00.050", "0:02.700"},
    {1637, 288, 706, 745, 16, "1:41.090", "1:42.600"},
    {1638, 293, 0, 58, 16, "2:05.810", "2:08.300"},
    {1652, 293, 577, 581, 16, "2:37.660", "2:37.790"},
    {2099, 360, 364, 404, 20, "1:38.520", "1:39.960"},
    {2100, 360, 406, 432, 20, "1:40.210", "1:41.080"},
    {2140, 361, 677, 697, 20, "3:00.790", "3:01.530"},
    {2141, 364, 0, 12, 20, "3:14.150", "3:17.610"},
    {2148, 364, 342, 429, 20, "3:33.840", "3:37.730"},
    {2149, 364, 431, 491, 21, "0:00.050", "0:02.860"},
    {2154, 364, 690, 798, 21, "0:13.540", "0:18.070"},
    {2168, 364, 1309, 1370, 21, "0:46.800", "0:49.470"},
    {2169, 365, 0, 37, 22, "0:00.790", "0:02.450"},
    {2170, 365, 39, 80, 22, "0:02.500", "0:04.090"},
    {2306, 398, 0, 47, 22, "5:26.790", "5:28.170"},
    {2307, 399, 0, 40, 23, "0:01.380", "0:03.010"},
    {2344, 402, 339, 354, 23, "1:25.570", "1:26.400"},
    {2345, 402, 358, 377, 23, "1:26.590", "1:27.550"},
    {2369, 409, 0, 7, 23, "2:15.050", "2:15.170"},
    {2399, 416, 31, 39, 23, "3:12.700", "3:13.070"},
    {2400, 416, 41, 51, 23, "3:13.480", "3:14.000"},
    {2411, 416, 489, 534, 23, "3:40.960", "3:48.010"},
    {2412, 419, 0, 64, 23, "3:50.710", "3:56.440"},
    {2418, 419, 341, 402, 23, "4:10.270", "4:12.350"},
    {2419, 420, 0, 21, 24, "0:00.090", "0:01.250"},
    {2430, 420, 534, 566, 24, "0:26.930", "0:28.180"},
    {2431, 420, 569, 606, 24, "0:28.740", "0:30.130"},
    {2468, 430, 402, 485, 24, "1:59.960", "2:03.140"},
    {2469, 431, 0, 17, 25, "0:00.440", "0:01.620"},
    {2498, 434, 2, 17, 25, "1:22.250", "1:23.050"},
    {2540, 439, 823, 887, 25, "3:05.890", "3:08.400"},
    {2541, 439, 889, 906, 25, "3:08.430", "3:09.020"},
    {2548, 439, 1066, 1091, 25, "3:21.820", "3:22.710"},
    {2549, 439, 1094, 1150, 25, "3:23.500", "3:26.160"},
    {2567, 443, 462, 476, 25, "4:13.800", "4:14.620"},
    {2568, 443, 480, 543, 25, "4:15.400", "4:18.390"},
    {2588, 444, 581, 650, 25, "5:02.820", "5:05.280"},
    {2589, 444, 653, 719, 25, "5:06.430", "5:09.470"},
    {2590, 444, 721, 734, 25, "5:09.560", "5:10.180"},
    {2591, 444, 738, 766, 25, "5:11.100", "5:12.320"},
    {2595, 444, 893, 924, 25, "5:19.990", "5:21.460"},
    {2596, 445, 0, 21, 26, "0:00.150", "0:01.070"},
    {2661, 447, 236, 261, 26, "2:21.330", "2:22.570"},
    {2662, 450, 0, 73, 27, "0:00.010", "0:03.440"},
    {2665, 450, 189, 192, 27, "0:09.640", "0:09.930"},
    {2699, 451, 466, 500, 27, "1:33.460", "1:34.750"},
    {2700, 451, 502, 542, 27, "1:35.600", "1:37.190"},
    {2721, 451, 1381, 1429, 27, "2:22.570", "2:24.390"},
    {2722, 452, 0, 12, 28, "0:00.880", "0:01.600"},
    {2729, 454, 2, 17, 28, "0:15.850", "0:16.620"},
    {2761, 463, 79, 111, 28, "1:28.550", "1:30.040"},
    {2762, 463, 115, 126, 28, "1:30.440", "1:31.000"},
    {2795, 468, 36, 56, 28, "2:47.270", "2:48.130"},
    {2796, 469, 0, 42, 29, "0:00.820", "0:02.590"},
    {2818, 470, 678, 701, 29, "0:47.900", "0:48.780"},
    {2819, 473, 0, 72, 29, "1:08.360", "1:11.130"},
    {2841, 474, 0, 22, 29, "2:00.740", "2:01.630"},
    {2842, 474, 24, 32, 29, "2:01.720", "2:02.130"},
    {2893, 489, 319, 338, 29, "3:47.160", "3:47.950"},
    {2894, 490, 0, 80, 30, "0:00.820", "0:04.060"},
    {2919, 494, 148, 278, 30, "1:10.620", "1:17.690"},
    {2922, 495, 128, 135, 30, "1:24.430", "1:24.750"},
    {2954, 496, 628, 673, 30, "2:52.390", "2:54.860"},
    {2955, 497, 0, 24, 31, "0:00.710", "0:01.890"},
    {2984, 498, 723, 758, 31, "1:16.050", "1:18.320"},
    {2985, 501, 0, 125, 31, "1:40.570", "1:45.600"},
    {2999, 504, 0, 34, 31, "2:24.160", "2:25.590"},
    {3000, 504, 36, 60, 31, "2:25.980", "2:27.070"},
    {3017, 504, 714, 733, 31, "3:01.060", "3:01.950"},
    {3018, 505, 0, 59, 32, "0:00.750", "0:03.690"},
    {3069, 513, 0, 16, 32, "1:52.980", "1:53.860"},
    {3070, 513, 19, 40, 32, "1:54.380", "1:55.590"},
    {3143, 534, 257, 267, 32, "4:54.740", "4:55.360"},
    {3144, 534, 270, 300, 32, "4:56.270", "4:57.640"},
    {3157, 539, 2, 72, 32, "5:22.820", "5:25.070"},
    {3158, 540, 0, 40, 33, "0:00.680", "0:02.310"},
    {3175, 546, 0, 5, 33, "0:35.180", "0:35.590"},
    {3183, 549, 81, 106, 33, "0:49.140", "0:49.970"},
    {3184, 549, 106, 160, 33, "0:50.450", "0:52.600"},
    {3202, 549, 814, 840, 33, "1:28.680", "1:29.750"},
    {3203, 549, 842, 940, 34, "0:00.010", "0:04.120"},
    {3207, 549, 1042, 1055, 34, "0:12.140", "0:22.130"},
    {3208, 552, 0, 48, 34, "0:22.230", "0:27.620"},
    {3239, 553, 760, 832, 34, "1:40.430", "1:43.490"},
    {3240, 553, 834, 868, 35, "0:00.180", "0:01.460"},
    {3281, 556, 194, 235, 35, "1:39.480", "1:41.680"},
    {3282, 557, 0, 53, 36, "0:00.700", "0:03.060"},
    {3299, 562, 2, 75, 36, "0:35.370", "0:38.100"},
    {3300, 563, 0, 56, 36, "0:39.230", "0:41.500"},
    {3307, 564, 98, 104, 36, "0:54.790", "0:55.200"},
    {3311, 565, 2, 55, 36, "1:00.620", "1:02.770"},
    {3336, 575, 2, 38, 36, "1:51.080", "1:52.590"},
    {3337, 575, 40, 120, 37, "0:00.390", "0:04.380"},
    {3402, 591, 97, 168, 37, "2:33.690", "2:36.640"},
    {3403, 592, 0, 26, 38, "0:00.780", "0:02.320"},
    {3435, 592, 1314, 1349, 38, "1:08.190", "1:09.790"},
    {3436, 595, 0, 58, 38, "1:25.510", "1:40.070"},
    {3474, 595, 1733, 1750, 38, "3:08.030", "3:08.820"},
    {3475, 596, 0, 42, 39, "0:00.910", "0:02.770"},
    {3554, 599, 472, 557, 39, "3:06.400", "3:10.040"},
    {3555, 600, 0, 75, 40, "0:00.610", "0:03.690"},
    {3565, 600, 529, 575, 40, "0:26.060", "0:27.860"},
    {3566, 600, 577, 589, 40, "0:27.930", "0:28.770"},
    {3599, 604, 256, 267, 40, "1:50.250", "1:50.830"},
    {3600, 604, 269, 299, 40, "1:51.260", "1:52.570"},
    {3612, 604, 667, 691, 40, "2:12.830", "2:13.860"},
    {3613, 607, 0, 103, 40, "2:28.930", "2:33.520"},
    {3658, 609, 676, 705, 40, "4:23.520", "4:24.670"},
    {3659, 610, 0, 13, 41, "0:00.440", "0:01.090"},
    {3705, 628, 13, 68, 41, "1:32.490", "1:34.620"},
    {3706, 628, 71, 112, 41, "1:34.920", "1:36.440"},
    {3735, 631, 489, 499, 41, "2:45.340", "2:45.900"},
    {3736, 632, 0, 41, 42, "0:01.170", "0:02.850"},
    {3766, 638, 133, 156, 42, "1:11.350", "1:12.420"},
    {3767, 638, 158, 193, 43, "0:00.070", "0:01.360"},
    {3802, 647, 41, 67, 43, "1:11.520", "1:12.980"},
    {3803, 650, 0, 36, 43, "1:25.460", "1:26.880"},
    {3814, 650, 522, 578, 43, "1:52.390", "1:54.540"},
    {3815, 651, 0, 61, 44, "0:01.070", "0:03.270"},
    {3883, 664, 639, 658, 44, "2:37.540", "2:38.560"},
    {3884, 665, 0, 18, 45, "0:01.220", "0:02.120"},
    {3894, 666, 42, 46, 45, "0:19.050", "0:19.270"},
    {3899, 666, 213, 240, 45, "0:29.990", "0:31.400"},
    {3900, 666, 242, 263, 45, "0:31.580", "0:32.510"},
    {3906, 668, 0, 41, 45, "0:45.180", "0:47.000"},
    {3907, 668, 42, 73, 45, "0:47.360", "0:48.350"},
    {3919, 670, 257, 305, 45, "1:17.610", "1:19.620"},
    {3920, 670, 308, 328, 45, "1:20.130", "1:21.040"},
    {3924, 671, 21, 33, 45, "1:29.940", "1:30.590"},
    {3925, 671, 36, 51, 45, "1:30.800", "1:31.450"},
    {3926, 671, 55, 82, 45, "1:32.030", "1:33.160"},
    {3927, 671, 84, 111, 45, "1:34.100", "1:35.290"},
    {3928, 671, 115, 155, 45, "1:35.780", "1:37.300"},
    {3929, 671, 159, 174, 45, "1:37.430", "1:38.150"},
    {3944, 672, 218, 256, 45, "2:21.530", "2:23.020"},
    {3945, 672, 258, 279, 45, "2:23.100", "2:23.940"},
    {3954, 672, 512, 557, 45, "2:38.850", "2:40.600"},
    {3955, 672, 558, 587, 45, "2:41.080", "2:41.950"},
    {3976, 673, 604, 631, 45, "3:27.990", "3:29.330"},
    {3977, 676, 0, 69, 45, "3:51.970", "3:55.220"},
    {3995, 677, 91, 112, 45, "4:34.160", "4:35.000"},
    {3996, 677, 113, 134, 45, "4:35.100", "4:35.860"},
    {4006, 679, 95, 113, 45, "4:57.650", "4:58.510"},
    {4007, 679, 115, 129, 45, "4:58.590", "4:59.290"},
    {4012, 679, 286, 382, 45, "5:08.320", "5:12.150"},
    {4040, 681, 159, 163, 45, "6:17.720", "6:18.060"},
    {4047, 681, 308, 325, 45, "6:29.520", "6:49.000"},
};

// Character ranges stated without times (-1: not stated).
struct StatedChars {
    int segment;
    int paragraph;
    int first;
    int last;
};

const StatedChars kStatedChars[] = {
    {2055, 357, 0, -1},    {2099, 360, 364, 404}, {2100, 360, 406, 432}, {2148, 364, 342, 429}, {2149, 364, 431, 491},
    {2399, 416, 31, 39},   {2400, 416, 41, 51},   {2700, 451, 502, 542}, {2999, 504, 0, 34},    {3000, 504, 36, 60},
    {3202, 549, 814, 840}, {3203, 549, 842, 940}, {3239, 553, 760, 832}, {3240, 553, 834, 868}, {3336, 575, 2, 38},
    {3337, 575, 40, 120},  {3355, 575, -1, 851},  {3599, 604, 256, 267}, {3600, 604, 269, 299}, {3607, 604, 506, 509},
    {3613, 607, 0, 103},   {3614, 607, 104, 144}, {3705, 628, 13, 68},   {3706, 628, 71, 112},  {3763, 638, 0, -1},
    {3766, 638, 133, 156}, {3767, 638, 158, 193}, {3776, 638, 397, 407}, {3777, 638, 408, 436}, {3779, 638, -1, 506},
    {3805, 650, 100, 131}, {3806, 650, 132, 144}, {3813, 650, 502, 521}, {3814, 650, 522, 578}, {3873, 664, 306, 355},
    {3874, 664, 356, 380}, {3888, 665, 111, 152}, {3889, 665, 153, 169}, {3899, 666, 213, 240}, {3900, 666, 242, 263},
    {4047, 681, 308, 325},
};

// One row per track (characters -1 where the first half does not state them).
struct TrackFacts {
    int track;
    int firstSegment;
    int lastSegment;
    const char* firstStart;
    const char* lastEnd;
    int firstParagraph;
    int firstChar;
    int lastParagraph;
    int lastChar;
};

const TrackFacts kTracks[] = {
    {1, 0, 57, "0:00.040", "2:22.930", 0, -1, 22, -1},
    {2, 58, 150, "0:00.650", "3:59.700", 23, -1, 31, -1},
    {3, 151, 274, "0:00.280", "4:56.990", 32, -1, 46, -1},
    {4, 275, 475, "0:01.030", "7:48.180", 47, -1, 89, -1},
    {5, 476, 586, "0:00.580", "4:30.220", 90, -1, 94, -1},
    {6, 587, 724, "0:01.650", "5:40.960", 95, -1, 130, -1},
    {7, 725, 803, "0:00.470", "3:12.040", 131, -1, 136, -1},
    {8, 804, 940, "0:00.700", "5:38.870", 137, -1, 161, -1},
    {9, 941, 999, "0:00.370", "2:26.860", 162, -1, 176, -1},
    {10, 1000, 1132, "0:00.920", "5:34.530", 177, -1, 211, -1},
    {11, 1133, 1198, "0:00.840", "2:44.390", 212, -1, 224, -1},
    {12, 1199, 1282, "0:01.550", "3:14.840", 225, -1, 243, -1},
    {13, 1283, 1324, "0:01.310", "1:35.890", 244, -1, 252, -1},
    {14, 1325, 1508, "0:00.250", "7:29.520", 253, -1, 281, -1},
    {15, 1509, 1588, "0:00.190", "3:15.210", 282, -1, 284, -1},
    {16, 1589, 1725, "0:00.050", "5:16.590", 284, -1, 294, -1},
    {17, 1726, 1813, "0:01.500", "3:25.660", 295, -1, 313, -1},
    {18, 1814, 1855, "0:01.250", "1:36.520", 314, -1, 317, -1},
    {19, 1856, 2054, "0:00.750", "7:11.170", 318, -1, 356, -1},
    {20, 2055, 2148, "0:00.660", "3:37.730", 357, 0, 364, 429},
    {21, 2149, 2168, "0:00.050", "0:49.470", 364, 431, 364, 1370},
    {22, 2169, 2306, "0:00.790", "5:28.170", 365, 0, 398, 47},
    {23, 2307, 2418, "0:01.380", "4:12.350", 399, 0, 419, 402},
    {24, 2419, 2468, "0:00.090", "2:03.140", 420, 0, 430, 485},
    {25, 2469, 2595, "0:00.440", "5:21.460", 431, 0, 444, 924},
    {26, 2596, 2661, "0:00.150", "2:22.570", 445, 0, 447, 261},
    {27, 2662, 2721, "0:00.010", "2:24.390", 450, 0, 451, 1429},
    {28, 2722, 2795, "0:00.880", "2:48.130", 452, 0, 468, 56},
    {29, 2796, 2893, "0:00.820", "3:47.950", 469, 0, 489, 338},
    {30, 2894, 2954, "0:00.820", "2:54.860", 490, 0, 496, 673},
    {31, 2955, 3017, "0:00.710", "3:01.950", 497, 0, 504, 733},
    {32, 3018, 3157, "0:00.750", "5:25.070", 505, 0, 539, 72},
    {33, 3158, 3202, "0:00.680", "1:29.750", 540, 0, 549, 840},
    {34, 3203, 3239, "0:00.010", "1:43.490", 549, 842, 553, 832},
    {35, 3240, 3281, "0:00.180", "1:41.680", 553, 834, 556, 235},
    {36, 3282, 3336, "0:00.700", "1:52.590", 557, 0, 575, 38},
    {37, 3337, 3402, "0:00.390", "2:36.640", 575, 40, 591, 168},
    {38, 3403, 3474, "0:00.780", "3:08.820", 592, 0, 595, 1750},
    {39, 3475, 3554, "0:00.910", "3:10.040", 596, 0, 599, 557},
    {40, 3555, 3658, "0:00.610", "4:24.670", 600, 0, 609, 705},
    {41, 3659, 3735, "0:00.440", "2:45.900", 610, 0, 631, 499},
    {42, 3736, 3766, "0:01.170", "1:12.420", 632, 0, 638, 156},
    {43, 3767, 3814, "0:00.070", "1:54.540", 638, 158, 650, 578},
    {44, 3815, 3883, "0:01.070", "2:38.560", 651, 0, 664, 658},
    {45, 3884, 4047, "0:01.220", "6:49.000", 665, 0, 681, 325},
};

// Paragraphs whose first and/or last segment is stated (-1: not stated).
struct ParagraphSpan {
    int paragraph;
    int firstSegment;
    int lastSegment;
};

const ParagraphSpan kSpans[] = {
    {0, 0, 0},         {21, 1, -1},       {22, -1, 57},      {91, -1, 561},     {94, 562, 586},    {162, 941, 953},
    {165, 954, -1},    {282, 1509, 1573}, {288, -1, 1637},   {293, 1638, -1},   {361, -1, 2140},   {364, 2141, 2168},
    {416, -1, 2411},   {419, 2412, 2418}, {447, -1, 2661},   {450, 2662, -1},   {451, -1, 2721},   {470, -1, 2818},
    {473, 2819, -1},   {498, -1, 2984},   {501, 2985, -1},   {504, 2999, 3017}, {539, 3157, 3157}, {549, 3181, 3207},
    {552, 3208, -1},   {553, 3222, 3259}, {562, 3299, 3299}, {563, 3300, -1},   {575, 3336, 3355}, {592, 3403, 3435},
    {595, 3436, 3474}, {604, 3595, 3612}, {607, 3613, -1},   {612, 3670, 3670}, {613, 3671, -1},   {618, 3682, -1},
    {624, 3698, -1},   {627, 3702, -1},   {638, 3763, 3779}, {642, 3785, -1},   {647, -1, 3802},   {650, 3803, 3814},
    {666, 3891, 3900}, {667, 3901, 3905}, {668, 3906, 3907}, {669, 3908, 3911}, {670, 3912, 3922}, {671, 3923, 3940},
    {672, 3941, 3960}, {673, 3961, 3976}, {676, 3977, 3991}, {677, 3992, 4003}, {679, 4004, 4020}, {680, 4021, 4034},
    {681, 4035, 4047},
};

const int kSkippedFirstHalf[] = {1,  2,  3,  4,  5,  6,  7,   8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,
                                 19, 20, 43, 44, 92, 93, 132, 133, 163, 164, 222, 223, 289, 290, 291, 292, 315, 316};
const int kSkippedSecondHalf[] = {362, 363, 417, 418, 448, 449, 471, 472, 499, 500, 550,
                                  551, 593, 594, 605, 606, 648, 649, 674, 675, 678};

bool sameParagraph(int s)
{
    return rows()[s].paragraph == rows()[s + 1].paragraph;
}

bool sameTrack(int s)
{
    return rows()[s].track == rows()[s + 1].track;
}

// The segments in [from, to] whose value is the lowest (or highest) of them.
std::vector<int> extremes(int from, int to, int (*value)(int), bool highest)
{
    std::vector<int> found;
    int best = 0;
    for (int s = from; s <= to; ++s) {
        const int v = value(s);
        if (found.empty() || (highest ? v > best : v < best)) {
            best = v;
            found.assign(1, s);
        } else if (v == best) {
            found.push_back(s);
        }
    }
    return found;
}

int durationOf(int s)
{
    return rows()[s].end - rows()[s].start;
}

} // namespace

TEST(SegmentDataTest, StatedRowsHoldExactly)
{
    for (const StatedRow& r : kStatedRows) {
        const Row& row = rows()[r.segment];
        SCOPED_TRACE(segmentName(r.segment));
        EXPECT_EQ(row.paragraph, r.paragraph);
        EXPECT_EQ(row.first, r.first);
        EXPECT_EQ(row.last, r.last);
        EXPECT_EQ(row.track, r.track);
        EXPECT_EQ(row.start, msOf(r.start));
        EXPECT_EQ(row.end, msOf(r.end));
    }
}

TEST(SegmentDataTest, StatedCharacterRangesHold)
{
    for (const StatedChars& c : kStatedChars) {
        const Row& row = rows()[c.segment];
        SCOPED_TRACE(segmentName(c.segment));
        EXPECT_EQ(row.paragraph, c.paragraph);
        if (c.first >= 0) {
            EXPECT_EQ(row.first, c.first);
        }
        if (c.last >= 0) {
            EXPECT_EQ(row.last, c.last);
        }
    }
}

TEST(SegmentDataTest, StatedParagraphSpansHold)
{
    for (const ParagraphSpan& p : kSpans) {
        SCOPED_TRACE("paragraph " + std::to_string(p.paragraph));
        if (p.firstSegment >= 0) {
            EXPECT_EQ(rows()[p.firstSegment].paragraph, p.paragraph);
            if (p.firstSegment > 0) {
                EXPECT_NE(rows()[p.firstSegment - 1].paragraph, p.paragraph);
            }
        }
        if (p.lastSegment >= 0) {
            EXPECT_EQ(rows()[p.lastSegment].paragraph, p.paragraph);
            if (p.lastSegment + 1 < 4048) {
                EXPECT_NE(rows()[p.lastSegment + 1].paragraph, p.paragraph);
            }
        }
    }
}

TEST(SegmentDataTest, TracksRunAsTheTrackTablesSay)
{
    int expected = 1;
    for (const TrackFacts& t : kTracks) {
        SCOPED_TRACE("track " + std::to_string(t.track));
        ASSERT_EQ(t.track, expected++);
        for (int s = t.firstSegment; s <= t.lastSegment; ++s)
            ASSERT_EQ(rows()[s].track, t.track) << segmentName(s);
        const Row& first = rows()[t.firstSegment];
        const Row& last = rows()[t.lastSegment];
        EXPECT_EQ(first.start, msOf(t.firstStart));
        EXPECT_EQ(last.end, msOf(t.lastEnd));
        EXPECT_EQ(first.paragraph, t.firstParagraph);
        EXPECT_EQ(last.paragraph, t.lastParagraph);
        if (t.firstChar >= 0) {
            EXPECT_EQ(first.first, t.firstChar);
        }
        if (t.lastChar >= 0) {
            EXPECT_EQ(last.last, t.lastChar);
        }
        // The first and last segment are the earliest and latest times of the track.
        for (int s = t.firstSegment; s <= t.lastSegment; ++s) {
            EXPECT_GE(rows()[s].start, first.start) << segmentName(s);
            EXPECT_LE(rows()[s].end, last.end) << segmentName(s);
        }
    }
    EXPECT_EQ(kTracks[44].lastSegment, 4047);
}

TEST(SegmentDataTest, TimesHaveNoHoursAndWholeTensOfMilliseconds)
{
    for (int s = 0; s < 4048; ++s) {
        const Row& r = rows()[s];
        ASSERT_EQ(r.hours, 0) << segmentName(s);
        ASSERT_EQ(r.start % 10, 0) << segmentName(s);
        ASSERT_EQ(r.end % 10, 0) << segmentName(s);
        ASSERT_LT(r.start, r.end) << segmentName(s) << " ends after it starts";
    }
}

TEST(SegmentDataTest, MinutesSecondsAndMillisecondsStayInTheirRanges)
{
    int firstHalfMinutes = 0;
    int minutes = 0;
    int lowSeconds = 60;
    int highSeconds = 0;
    int lowMillis = 1000;
    int highMillis = 0;
    for (int s = 0; s < 4048; ++s) {
        for (int t : {rows()[s].start, rows()[s].end}) {
            if (s < 2100) {
                firstHalfMinutes = std::max(firstHalfMinutes, t / 60000);
                continue;
            }
            minutes = std::max(minutes, t / 60000);
            lowSeconds = std::min(lowSeconds, t / 1000 % 60);
            highSeconds = std::max(highSeconds, t / 1000 % 60);
            lowMillis = std::min(lowMillis, t % 1000);
            highMillis = std::max(highMillis, t % 1000);
        }
    }
    EXPECT_EQ(firstHalfMinutes, 7);
    EXPECT_EQ(minutes, 6);
    EXPECT_EQ(lowSeconds, 0);
    EXPECT_EQ(highSeconds, 59);
    EXPECT_EQ(lowMillis, 0);
    EXPECT_EQ(highMillis, 990);
}

TEST(SegmentDataTest, ParagraphsAscendAndTheSkippedOnesHaveNoSegment)
{
    for (int s = 0; s + 1 < 4048; ++s)
        ASSERT_LE(rows()[s].paragraph, rows()[s + 1].paragraph) << segmentName(s);
    EXPECT_EQ(rows()[0].paragraph, 0);
    EXPECT_EQ(rows()[2099].paragraph, 360);
    EXPECT_EQ(rows()[2100].paragraph, 360);
    EXPECT_EQ(rows()[4047].paragraph, 681);

    std::set<int> firstHalf;
    std::set<int> secondHalf;
    for (int s = 0; s < 4048; ++s)
        (s < 2100 ? firstHalf : secondHalf).insert(rows()[s].paragraph);
    const std::set<int> skippedFirst(std::begin(kSkippedFirstHalf), std::end(kSkippedFirstHalf));
    const std::set<int> skippedSecond(std::begin(kSkippedSecondHalf), std::end(kSkippedSecondHalf));
    for (int p = 0; p <= 360; ++p)
        EXPECT_EQ(firstHalf.count(p), skippedFirst.count(p) ? 0u : 1u) << "paragraph " << p;
    for (int p = 360; p <= 681; ++p)
        EXPECT_EQ(secondHalf.count(p), skippedSecond.count(p) ? 0u : 1u) << "paragraph " << p;
    EXPECT_EQ(firstHalf.size(), 325u);
    EXPECT_EQ(secondHalf.size(), 301u);
}

TEST(SegmentDataTest, RangesOfAParagraphAscendWithoutSharingACharacter)
{
    for (int s = 0; s < 4048; ++s) {
        ASSERT_LE(rows()[s].first, rows()[s].last) << segmentName(s);
        if (s >= 2100) {
            ASSERT_LT(rows()[s].first, rows()[s].last) << segmentName(s);
        }
    }
    for (int s = 0; s + 1 < 4048; ++s) {
        if (!sameParagraph(s))
            continue;
        const int gap = rows()[s + 1].first - rows()[s].last;
        if (s == 3183) {
            EXPECT_EQ(rows()[3183].last, 106);
            EXPECT_EQ(rows()[3184].first, 106) << "3183 and 3184 share character 106";
        } else if (s + 1 < 2100) {
            EXPECT_TRUE(gap >= 1 && gap <= 6) << segmentName(s) << ": gap " << gap;
        } else {
            EXPECT_TRUE(gap >= 1 && gap <= 4) << segmentName(s) << ": gap " << gap;
        }
    }
}

TEST(SegmentDataTest, GapCountsOfTheFirstHalf)
{
    std::map<int, int> counts;
    for (int s = 0; s + 1 < 2100; ++s) {
        if (sameParagraph(s))
            ++counts[rows()[s + 1].first - rows()[s].last];
    }
    EXPECT_EQ(counts[2], 1692);
    EXPECT_EQ(counts[1], 68);
    EXPECT_EQ(counts[3] + counts[4] + counts[5] + counts[6], 15);
    EXPECT_GT(counts[3], 0) << "gaps run from 3";
    EXPECT_GT(counts[6], 0) << "gaps run to 6";
}

TEST(SegmentDataTest, ParagraphsBeginAtCharacterZeroOneOrTwo)
{
    std::map<int, int> firstHalf;
    std::map<int, int> secondHalf;
    for (int s = 0; s < 4048; ++s) {
        if (s > 0 && rows()[s - 1].paragraph == rows()[s].paragraph)
            continue;
        ++(s < 2100 ? firstHalf : secondHalf)[rows()[s].first];
    }
    EXPECT_EQ(firstHalf[0], 270);
    EXPECT_EQ(firstHalf[2], 53);
    EXPECT_EQ(firstHalf[1], 2);
    EXPECT_EQ(firstHalf.size(), 3u);
    EXPECT_EQ(secondHalf[0], 250);
    EXPECT_EQ(secondHalf[2], 50);
    EXPECT_EQ(secondHalf.size(), 2u);
}

TEST(SegmentDataTest, CharacterBoundsOfTheFirstHalf)
{
    auto first = [](int s) { return rows()[s].first; };
    auto last = [](int s) { return rows()[s].last; };
    EXPECT_EQ(rows()[extremes(0, 2099, first, false)[0]].first, 0);
    EXPECT_EQ(extremes(0, 2099, first, true), std::vector<int>{1573});
    EXPECT_EQ(rows()[1573].first, 2783);
    EXPECT_EQ(extremes(0, 2099, last, true), std::vector<int>{1573});
    EXPECT_EQ(rows()[1573].last, 2828);
    EXPECT_EQ(rows()[extremes(0, 2099, last, false)[0]].last, 3);
}

TEST(SegmentDataTest, MostSegmentsOfOneParagraphInTheFirstHalf)
{
    std::map<int, int> counts;
    for (int s = 0; s < 2100; ++s)
        ++counts[rows()[s].paragraph];
    int most = 0;
    int holder = -1;
    bool shared = false;
    for (const auto& c : counts) {
        if (c.second > most) {
            most = c.second;
            holder = c.first;
            shared = false;
        } else if (c.second == most) {
            shared = true;
        }
    }
    EXPECT_EQ(most, 65);
    EXPECT_EQ(holder, 282);
    EXPECT_FALSE(shared);
}

TEST(SegmentDataTest, TracksBeginWithAParagraphOrGoOnInIt)
{
    // First half: every track but 16 begins with the first segment of a paragraph.
    for (int t = 2; t <= 20; ++t) {
        const int s = kTracks[t - 1].firstSegment;
        if (t == 16) {
            EXPECT_EQ(rows()[s - 1].paragraph, 284);
            EXPECT_EQ(rows()[s].paragraph, 284);
            EXPECT_EQ(rows()[s].first, 289);
        } else {
            EXPECT_NE(rows()[s - 1].paragraph, rows()[s].paragraph) << "track " << t;
        }
    }
    // Second half: 20 boundaries at character 0 of a new paragraph, 5 inside one.
    const int inside[] = {21, 34, 35, 37, 43};
    int atNewParagraph = 0;
    for (int t = 21; t <= 45; ++t) {
        const int s = kTracks[t - 1].firstSegment;
        const bool within = std::find(std::begin(inside), std::end(inside), t) != std::end(inside);
        if (within) {
            EXPECT_EQ(rows()[s - 1].paragraph, rows()[s].paragraph) << "track " << t;
            EXPECT_EQ(rows()[s].first - rows()[s - 1].last, 2) << "track " << t;
        } else {
            EXPECT_NE(rows()[s - 1].paragraph, rows()[s].paragraph) << "track " << t;
            EXPECT_EQ(rows()[s].first, 0) << "track " << t;
            ++atNewParagraph;
        }
    }
    EXPECT_EQ(atNewParagraph, 20);
}

TEST(SegmentDataTest, DurationsOfEachHalf)
{
    EXPECT_EQ(extremes(0, 2099, durationOf, false), std::vector<int>{1652});
    EXPECT_EQ(durationOf(1652), 130);
    EXPECT_EQ(extremes(0, 2099, durationOf, true), std::vector<int>{954});
    EXPECT_EQ(durationOf(954), 6270);
    EXPECT_EQ(extremes(2100, 4047, durationOf, false), std::vector<int>{2369});
    EXPECT_EQ(durationOf(2369), 120);
    EXPECT_EQ(extremes(2100, 4047, durationOf, true), std::vector<int>{4047});
    EXPECT_EQ(durationOf(4047), 19480);
}

TEST(SegmentDataTest, PausesOfEachHalfAndTheOneSegmentOutOfOrder)
{
    // The pause before segment s + 1, within one track and one half.
    int lowFirst = 1 << 30;
    std::vector<int> longestFirst;
    int highFirst = 0;
    for (int s = 0; s + 1 < 2100; ++s) {
        if (!sameTrack(s))
            continue;
        const int pause = rows()[s + 1].start - rows()[s].end;
        if (s == 1084) {
            EXPECT_LT(pause, 0) << "1084 ends after 1085 starts";
            continue;
        }
        EXPECT_GT(pause, 0) << segmentName(s) << " ends before the next starts";
        lowFirst = std::min(lowFirst, pause);
        if (pause > highFirst) {
            highFirst = pause;
            longestFirst.assign(1, s + 1);
        } else if (pause == highFirst) {
            longestFirst.push_back(s + 1);
        }
    }
    EXPECT_EQ(lowFirst, 20);
    EXPECT_EQ(highFirst, 23380);
    EXPECT_EQ(longestFirst, std::vector<int>{562});

    const Row& late = rows()[1084];
    EXPECT_GT(late.start, rows()[1085].end);
    EXPECT_GT(late.start, rows()[1086].end);
    EXPECT_GT(late.start, rows()[1087].start);
    EXPECT_LT(late.end, rows()[1087].end);

    std::vector<int> shortest;
    std::vector<int> longest;
    int low = 1 << 30;
    int high = 0;
    for (int s = 2100; s + 1 < 4048; ++s) {
        if (!sameTrack(s))
            continue;
        const int pause = rows()[s + 1].start - rows()[s].end;
        EXPECT_GT(pause, 0) << segmentName(s);
        if (pause < low) {
            low = pause;
            shortest.assign(1, s + 1);
        } else if (pause == low) {
            shortest.push_back(s + 1);
        }
        if (pause > high) {
            high = pause;
            longest.assign(1, s + 1);
        } else if (pause == high) {
            longest.push_back(s + 1);
        }
    }
    EXPECT_EQ(low, 30);
    EXPECT_EQ(shortest, std::vector<int>{2541});
    EXPECT_EQ(high, 22640);
    EXPECT_EQ(longest, std::vector<int>{3977});
    EXPECT_GT(rows()[2100].start, rows()[2099].end) << "across the halves";
}

TEST(SegmentDataTest, TracksOfTheSecondHalfStartEarlyInTheirFiles)
{
    for (int t = 20; t <= 45; ++t) {
        const int start = rows()[kTracks[t - 1].firstSegment].start;
        EXPECT_GE(start, 10) << "track " << t;
        EXPECT_LE(start, 1380) << "track " << t;
    }
}

TEST(SegmentDataTest, ShortestRangesOfTheSecondHalf)
{
    auto length = [](int s) { return rows()[s].last - rows()[s].first + 1; };
    EXPECT_EQ(extremes(2100, 4047, length, false), (std::vector<int>{2665, 3607}));
    EXPECT_EQ(length(2665), 4);
}

TEST(SegmentDataTest, BlockSeamsLieInsideOneTrack)
{
    struct Seam {
        int segment; // the first segment of the later block
        int track;
        int paragraphBefore;
        int paragraphAfter;
        const char* pause;
    };
    const Seam seams[] = {
        {2100, 20, 360, 360, "0:00.250"}, {2400, 23, 416, 416, "0:00.410"}, {2700, 27, 451, 451, "0:00.850"},
        {3000, 31, 504, 504, "0:00.390"}, {3300, 36, 562, 563, "0:01.130"}, {3600, 40, 604, 604, "0:00.430"},
        {3900, 45, 666, 666, "0:00.180"},
    };
    for (const TrackFacts& t : kTracks) {
        if (t.track > 1) {
            EXPECT_NE(t.firstSegment % 300, 0) << "track " << t.track << " begins on a seam";
        }
    }
    for (const Seam& seam : seams) {
        SCOPED_TRACE(segmentName(seam.segment));
        const Row& before = rows()[seam.segment - 1];
        const Row& after = rows()[seam.segment];
        EXPECT_EQ(before.track, seam.track);
        EXPECT_EQ(after.track, seam.track);
        EXPECT_EQ(before.paragraph, seam.paragraphBefore);
        EXPECT_EQ(after.paragraph, seam.paragraphAfter);
        EXPECT_EQ(after.start - before.end, msOf(seam.pause));
        if (seam.paragraphBefore == seam.paragraphAfter) {
            EXPECT_EQ(after.first - before.last, 2);
        }
    }
}
