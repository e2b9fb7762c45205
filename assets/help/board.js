// Reads a position from the page address and draws it: shared by the help pages that show
// a board.
"use strict";

// Value of one key of the page's address query ("+" is a blank), or null when absent.
function queryValue(query, key) {
    var pairs = query.replace(/^[?#]/, "").split("&");
    for (var i = 0; i < pairs.length; i++) {
        var at = pairs[i].indexOf("=");
        var name = at < 0 ? pairs[i] : pairs[i].substring(0, at);
        if (name === key) {
            var value = at < 0 ? "" : pairs[i].substring(at + 1);
            try {
                return decodeURIComponent(value.replace(/\+/g, " "));
            } catch (e) {
                return null;
            }
        }
    }
    return null;
}

// The eight ranks of a FEN's placement field, rank 8 first, each as eight letters or "".
function boardRows(fen) {
    var ranks = fen.split(" ")[0].split("/");
    if (ranks.length !== 8)
        return null;
    var rows = [];
    for (var r = 0; r < 8; r++) {
        var row = [];
        for (var i = 0; i < ranks[r].length; i++) {
            var c = ranks[r].charAt(i);
            if (c >= "1" && c <= "8") {
                for (var k = 0; k < Number(c); k++)
                    row.push("");
            } else if ("KQRBNPkqrbnp".indexOf(c) >= 0) {
                row.push(c);
            } else {
                return null;
            }
        }
        if (row.length !== 8)
            return null;
        rows.push(row);
    }
    return rows;
}

var Glyphs = { k: "\u265A", q: "\u265B", r: "\u265C", b: "\u265D", n: "\u265E", p: "\u265F" };

function drawBoard(rows) {
    var table = document.createElement("table");
    table.className = "board";
    for (var r = 0; r < 8; r++) {
        var tr = document.createElement("tr");
        var rank = document.createElement("td");
        rank.className = "label";
        rank.textContent = String(8 - r);
        tr.appendChild(rank);
        for (var f = 0; f < 8; f++) {
            var td = document.createElement("td");
            td.className = (r + f) % 2 === 0 ? "light" : "dark";
            var piece = rows[r][f];
            if (piece) {
                var span = document.createElement("span");
                var white = piece === piece.toUpperCase();
                span.className = white ? "white" : "black";
                span.textContent = Glyphs[piece.toLowerCase()];
                span.title = (white ? "White " : "Black ") + piece.toUpperCase();
                td.appendChild(span);
            }
            tr.appendChild(td);
        }
        table.appendChild(tr);
    }
    var files = document.createElement("tr");
    files.appendChild(document.createElement("td"));
    for (var f2 = 0; f2 < 8; f2++) {
        var label = document.createElement("td");
        label.className = "label";
        label.textContent = "abcdefgh".charAt(f2);
        files.appendChild(label);
    }
    table.appendChild(files);
    return table;
}
