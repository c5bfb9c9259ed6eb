-- The host's picture store: the pictures of any record, told apart by the kind of
-- record (1006 member cards) and its id. A record's pictures are written as a whole,
-- so its rows are numbered from 0 and the key keeps one picture per place.
CREATE TABLE Pictures (
    PicKind INTEGER NOT NULL,
    RecordId INTEGER NOT NULL,
    RowIndex INTEGER NOT NULL,
    FileName VARCHAR(260) NOT NULL DEFAULT '',
    Image {BLOB} NOT NULL,
    PRIMARY KEY (PicKind, RecordId, RowIndex)
);
