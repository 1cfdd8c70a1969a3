-- A tape with its tape row (one of its values null), a tape without one
-- (added, then removed again) and a plain pipe.
-- target
INSERT INTO [Components] ([Component Key], [Database Number], [Description]) VALUES (100, 1, 'Existing');
-- source
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (10, 1, 'Tape with row', 2);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Flags]) VALUES (11, 1, 'Tape without row', 2);
INSERT INTO [Components] ([Component Key], [Database Number], [Description], [Reals1]) VALUES (12, 1, 'Plain pipe', 25);
INSERT INTO [Tapes] ([Pipe Key], [Flow Calc Type], [Reals1], [Reals2]) VALUES (10, 'EQ', 0.5, NULL);
