#!/usr/bin/env python3
"""The eight queens search of examples/queens8.corvel, step for step, as a
Python function with local variables: the benchmark times it beside the
calculator running the listing.

Row r's queen stands in column board[r], r = 1..8; i is the row being
placed, d the earlier row being compared, count the positions tried.

    python3 bench/queens8.py [RUNS]   prints the count and the median
                                      seconds of one call over RUNS calls
"""
import sys
import time


def queens8():
    board = [0] * 9
    count = 0
    size = 8
    i = 0
    while i != size:                 # LBL 1: place a queen in the next row
        i += 1
        board[i] = size              # its queen starts in the last column
        while True:                  # LBL 2: a new position to try
            count += 1
            d = i
            while True:              # LBL 3: compare with each earlier row
                d -= 1
                if d == 0:
                    break            # no earlier row attacks it
                diff = board[i] - board[d]
                if diff == 0 or abs(diff) == i - d:
                    break            # same column or same diagonal
            if d == 0:
                break                # GTO 1
            board[i] -= 1            # LBL 4: move this row's queen one column left
            while board[i] == 0:     # off the board: back to the previous row
                i -= 1
                if i == 0:
                    return count, board
                board[i] -= 1
    return count, board


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 200
    times = []
    count = 0
    for _ in range(runs):
        t0 = time.perf_counter()
        count, _board = queens8()
        times.append(time.perf_counter() - t0)
    times.sort()
    print(count, times[len(times) // 2])


if __name__ == "__main__":
    main()
